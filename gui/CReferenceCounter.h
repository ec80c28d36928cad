// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Shared lifetime of views, bitmaps and drawing contexts: the creator holds the first
// reference; whoever stores a pointer calls remember() and later forget().
class CReferenceCounter
{
  public:
    CReferenceCounter() = default;
    CReferenceCounter(const CReferenceCounter&) = delete;
    CReferenceCounter& operator=(const CReferenceCounter&) = delete;
    virtual ~CReferenceCounter() = default;

    // Drops a reference and deletes the object when it was the last one.
    virtual void forget()
    {
        if (nbReference-- == 1) delete this;
    }
    virtual void remember() { ++nbReference; }

    long getNbReference() const { return nbReference; }

  private:
    int32_t nbReference = 1;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stddef.h>
#include <stdint.h>

// The Core Foundation, Core Graphics, Core Text and Objective-C runtime calls this layer makes,
// declared here: the build has the system's C library headers but no framework headers. Only
// calls that macOS 10.13 already has; frameworks/*.txt lists the symbols for the link stubs.
extern "C"
{
    using CGFloat = double;
    struct CGPoint
    {
        CGFloat x, y;
    };
    struct CGSize
    {
        CGFloat width, height;
    };
    struct CGRect
    {
        CGPoint origin;
        CGSize size;
    };
    struct CGAffineTransform
    {
        CGFloat a, b, c, d, tx, ty;
    };

    using CFTypeRef = const void*;
    using CFIndex = long;
    using CFStringRef = const struct __CFString*;
    using CFAllocatorRef = const struct __CFAllocator*;
    using CFDictionaryRef = const struct __CFDictionary*;
    using CFAttributedStringRef = const struct __CFAttributedString*;
    using CFRunLoopRef = struct __CFRunLoop*;
    using CFRunLoopTimerRef = struct __CFRunLoopTimer*;
    using CGContextRef = struct CGContext*;
    using CGColorSpaceRef = struct CGColorSpace*;
    using CGImageRef = struct CGImage*;
    using CGDataProviderRef = struct CGDataProvider*;
    using CTFontRef = const struct __CTFont*;
    using CTLineRef = const struct __CTLine*;

    CFTypeRef CFRetain(CFTypeRef object);
    void CFRelease(CFTypeRef object);
    CFStringRef CFStringCreateWithCString(CFAllocatorRef, const char* text, uint32_t encoding);
    CFDictionaryRef CFDictionaryCreate(CFAllocatorRef, const void** keys, const void** values,
                                       CFIndex count, const void* keyCallBacks,
                                       const void* valueCallBacks);
    extern const char kCFTypeDictionaryKeyCallBacks[]; // structures used by address only
    extern const char kCFTypeDictionaryValueCallBacks[];
    extern const CFTypeRef kCFBooleanTrue;
    CFAttributedStringRef CFAttributedStringCreate(CFAllocatorRef, CFStringRef, CFDictionaryRef);

    struct CFRunLoopTimerContext
    {
        CFIndex version;
        void* info;
        const void* (*retain)(const void*);
        void (*release)(const void*);
        CFStringRef (*copyDescription)(const void*);
    };
    using CFRunLoopTimerCallBack = void (*)(CFRunLoopTimerRef, void* info);
    CFRunLoopTimerRef CFRunLoopTimerCreate(CFAllocatorRef, double fireDate, double interval,
                                           unsigned long flags, CFIndex order,
                                           CFRunLoopTimerCallBack, CFRunLoopTimerContext*);
    double CFAbsoluteTimeGetCurrent();
    CFRunLoopRef CFRunLoopGetMain();
    void CFRunLoopAddTimer(CFRunLoopRef, CFRunLoopTimerRef, CFStringRef mode);
    void CFRunLoopTimerInvalidate(CFRunLoopTimerRef);
    extern const CFStringRef kCFRunLoopCommonModes;

    CGColorSpaceRef CGColorSpaceCreateDeviceRGB();
    void CGColorSpaceRelease(CGColorSpaceRef);
    CGContextRef CGBitmapContextCreate(void* data, size_t width, size_t height,
                                       size_t bitsPerComponent, size_t bytesPerRow, CGColorSpaceRef,
                                       uint32_t bitmapInfo);
    void CGContextRelease(CGContextRef);
    CGDataProviderRef CGDataProviderCreateWithData(void* info, const void* data, size_t size,
                                                   void (*release)(void*, const void*, size_t));
    void CGDataProviderRelease(CGDataProviderRef);
    CGImageRef CGImageCreate(size_t width, size_t height, size_t bitsPerComponent,
                             size_t bitsPerPixel, size_t bytesPerRow, CGColorSpaceRef,
                             uint32_t bitmapInfo, CGDataProviderRef, const CGFloat* decode,
                             bool interpolate, int32_t intent);
    CGImageRef CGImageCreateWithPNGDataProvider(CGDataProviderRef, const CGFloat* decode,
                                                bool interpolate, int32_t intent);
    size_t CGImageGetWidth(CGImageRef);
    size_t CGImageGetHeight(CGImageRef);
    void CGImageRelease(CGImageRef);

    void CGContextSaveGState(CGContextRef);
    void CGContextRestoreGState(CGContextRef);
    void CGContextTranslateCTM(CGContextRef, CGFloat x, CGFloat y);
    void CGContextScaleCTM(CGContextRef, CGFloat x, CGFloat y);
    void CGContextClipToRect(CGContextRef, CGRect);
    void CGContextSetRGBFillColor(CGContextRef, CGFloat r, CGFloat g, CGFloat b, CGFloat a);
    void CGContextSetRGBStrokeColor(CGContextRef, CGFloat r, CGFloat g, CGFloat b, CGFloat a);
    void CGContextSetLineWidth(CGContextRef, CGFloat width);
    void CGContextSetLineDash(CGContextRef, CGFloat phase, const CGFloat* lengths, size_t count);
    void CGContextSetShouldAntialias(CGContextRef, bool);
    void CGContextSetAlpha(CGContextRef, CGFloat);
    void CGContextSetBlendMode(CGContextRef, int32_t mode);
    void CGContextFillRect(CGContextRef, CGRect);
    void CGContextBeginPath(CGContextRef);
    void CGContextMoveToPoint(CGContextRef, CGFloat x, CGFloat y);
    void CGContextAddLineToPoint(CGContextRef, CGFloat x, CGFloat y);
    void CGContextAddArc(CGContextRef, CGFloat x, CGFloat y, CGFloat radius, CGFloat start,
                         CGFloat end, int clockwise);
    void CGContextClosePath(CGContextRef);
    void CGContextStrokePath(CGContextRef);
    void CGContextFillPath(CGContextRef);
    void CGContextDrawImage(CGContextRef, CGRect, CGImageRef);
    void CGContextSetTextMatrix(CGContextRef, CGAffineTransform);
    void CGContextSetTextPosition(CGContextRef, CGFloat x, CGFloat y);
    void CGContextFlush(CGContextRef);

    CTFontRef CTFontCreateWithName(CFStringRef name, CGFloat size, const CGAffineTransform*);
    CTFontRef CTFontCreateCopyWithSymbolicTraits(CTFontRef, CGFloat size, const CGAffineTransform*,
                                                 uint32_t traits, uint32_t mask);
    extern const CFStringRef kCTFontAttributeName;
    extern const CFStringRef kCTForegroundColorFromContextAttributeName;
    CTLineRef CTLineCreateWithAttributedString(CFAttributedStringRef);
    double CTLineGetTypographicBounds(CTLineRef, CGFloat* ascent, CGFloat* descent,
                                      CGFloat* leading);
    void CTLineDraw(CTLineRef, CGContextRef);

    using id = struct objc_object*;
    using Class = struct objc_class*;
    using SEL = struct objc_selector*;
    using Ivar = struct objc_ivar*;
    using IMP = void (*)();
    Class objc_getClass(const char* name);
    Class objc_allocateClassPair(Class superclass, const char* name, size_t extraBytes);
    void objc_registerClassPair(Class);
    bool class_addMethod(Class, SEL, IMP, const char* types);
    bool class_addIvar(Class, const char* name, size_t size, uint8_t alignment, const char* types);
    Ivar class_getInstanceVariable(Class, const char* name);
    ptrdiff_t ivar_getOffset(Ivar);
    SEL sel_registerName(const char* name);
    const char* sel_getName(SEL);
    void objc_msgSend();
}

constexpr uint32_t kCFStringEncodingUTF8 = 0x08000100;
constexpr uint32_t kCFStringEncodingMacRoman = 0;
// 32-bit words 0xAARRGGBB, premultiplied: alpha first, little-endian words.
constexpr uint32_t kPixelWordFormat = 2 | (2 << 12);
constexpr int32_t kCGBlendModeNormal = 0;
constexpr int32_t kCGBlendModeCopy = 17;
constexpr uint32_t kCTFontItalicTrait = 1;
constexpr uint32_t kCTFontBoldTrait = 2;

// Sends a message through objc_msgSend, typed as the method is: Send<R>(object, "sel:", args).
template <class Result, class... Args>
Result send(const void* receiver, const char* selector, Args... args)
{
    using Function = Result (*)(const void*, SEL, Args...);
    return reinterpret_cast<Function>(&objc_msgSend)(receiver, sel_registerName(selector), args...);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// README.md's table of the parameters says what the parameter table says: each row's name,
// label, default and the ends (or every choice) of what the host displays.
#include "core/parameters.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace sferant;

namespace
{

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The text between separator, each trimmed.
std::vector<std::string> split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos;
         start = at + separator.size())
        parts.push_back(trimmed(text.substr(start, at - start)));
    parts.push_back(trimmed(text.substr(start)));
    return parts;
}

// The cells of the table's data rows under "## Parameters".
std::vector<std::vector<std::string>> readmeRows()
{
    std::ifstream readme(SFERANT_SOURCE_DIR "/README.md");
    std::vector<std::vector<std::string>> rows;
    bool inSection = false;
    for (std::string line; std::getline(readme, line);)
    {
        if (line.rfind("## ", 0) == 0) inSection = line == "## Parameters";
        if (!inSection || line.rfind("| ", 0) != 0 || line.find("---") != std::string::npos)
            continue;
        std::vector<std::string> cells = split(line.substr(1, line.size() - 2), "|");
        if (cells[0] != "#") rows.push_back(cells);
    }
    return rows;
}

// A display's number as the README writes it, with a typographic minus.
double readmeNumber(std::string text)
{
    if (text.rfind("\u2212", 0) == 0) text = "-" + text.substr(std::string("\u2212").size());
    return std::stod(text);
}

} // namespace

TEST(ReadmeParameters, EveryRowSaysWhatTheParameterTableSays)
{
#ifdef _WIN32
    GTEST_SKIP() << "the sources are checked by the Linux build; wine may not reach them";
#endif
    const auto rows = readmeRows();
    ASSERT_EQ(rows.size(), size_t(kNumParams));
    for (int i = 0; i < kNumParams; ++i)
    {
        const Parameter& p = kParameters[i];
        const std::vector<std::string>& row = rows[i];
        ASSERT_EQ(row.size(), 6u);
        EXPECT_EQ(row[0], std::to_string(i));
        EXPECT_EQ(row[1], p.name);
        EXPECT_EQ(row[2], p.label);
        EXPECT_EQ(std::stof(row[3]), p.defaultValue) << p.name;
        const bool ends = row[5].find("\u2026") != std::string::npos;
        std::vector<std::string> shown = split(row[5], ends               ? "\u2026"
                                                       : p.positions == 2 ? "/"
                                                                          : ",");
        if (!p.positions)
        {
            EXPECT_EQ(readmeNumber(shown.front()), userValue(i, 0.0f)) << p.name;
            EXPECT_NEAR(readmeNumber(shown.back()), userValue(i, 1.0f), 1e-9) << p.name;
            continue;
        }
        std::vector<std::string> choices(p.choices, p.choices + p.positions);
        if (ends)
            choices = {choices.front(), choices.back()}, shown = {shown.front(), shown.back()};
        EXPECT_EQ(shown, choices) << p.name;
    }
}

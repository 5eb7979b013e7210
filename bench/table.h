// SPDX-License-Identifier: GPL-3.0-or-later
// One row of the benchmark table, printed the same way by every benchmark program.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace quivara::bench {

struct TableRow
{
    std::string measure;
    std::string unit;                  // "ms", "MiB", "ns"
    std::optional<double> median{};    // none: nothing was measured
    std::optional<double> reference{}; // the reference program's or loop's median, same unit
    std::string target{};              // empty: no target
    std::optional<bool> met{};
};

// The table's header; run.sh prints it once above every program's rows.
inline void printTableHeader()
{
    std::printf("| %-46s | %12s | %12s | %7s | %-30s | %-4s |\n", "Measure", "Median", "Reference", "Ratio", "Target",
                "Met");
    std::printf("|%s|%s|%s|%s|%s|%s|\n", std::string(48, '-').c_str(), std::string(14, '-').c_str(),
                std::string(14, '-').c_str(), std::string(9, '-').c_str(), std::string(32, '-').c_str(),
                std::string(6, '-').c_str());
}

inline void printTableRow(const TableRow &row)
{
    auto figure = [&](double v) {
        char text[32];
        std::snprintf(text, sizeof text, "%.*f %s", v < 10 ? 2 : 1, v, row.unit.c_str());
        return std::string(text);
    };
    std::string reference = row.reference ? figure(*row.reference) : "";
    std::string ratio;
    if (row.median && row.reference && *row.reference > 0) {
        char text[32];
        std::snprintf(text, sizeof text, "%.2fx", *row.median / *row.reference);
        ratio = text;
    }
    const char *met = !row.met ? "" : *row.met ? "yes" : "NO";
    std::printf("| %-46s | %12s | %12s | %7s | %-30s | %-4s |\n", row.measure.c_str(),
                row.median ? figure(*row.median).c_str() : "",
                reference.c_str(), ratio.c_str(), row.target.c_str(), met);
    std::fflush(stdout);
}

} // namespace quivara::bench

// The three output formats of jixia-fetch. Every text is UTF-8.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace jixia::fetch_tool {

struct BoardRows {
  std::string site;
  std::string board;
  std::vector<std::string> columns;            // captions
  std::vector<std::vector<std::string>> rows;  // one cell per column, the sequence number first
};

// The caption line, then one line per row; cells separated by TAB, and a
// backslash, TAB, CR or LF inside a cell written as \\ \t \r \n.
void WriteTsv(const BoardRows& rows, std::ostream& out);

// RFC 4180: the caption record, then one record per row, CR LF after each.
void WriteCsv(const BoardRows& rows, std::ostream& out);

// {"site":S,"board":B,"columns":[...],"rows":[[...],...]} and a line end.
void WriteJson(const BoardRows& rows, std::ostream& out);

}  // namespace jixia::fetch_tool

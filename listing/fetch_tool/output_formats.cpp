#include "listing/fetch_tool/output_formats.h"

#include <csv.h>

#include <nlohmann/json.hpp>

namespace jixia::fetch_tool {
namespace {

std::string TsvCell(const std::string& cell) {
  std::string escaped;
  for (const char c : cell) {
    switch (c) {
      case '\\':
        escaped += "\\\\";
        break;
      case '\t':
        escaped += "\\t";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\n':
        escaped += "\\n";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

void TsvLine(const std::vector<std::string>& cells, std::ostream& out) {
  for (size_t i = 0; i < cells.size(); ++i) out << (i ? "\t" : "") << TsvCell(cells[i]);
  out << '\n';
}

// libcsv writes every field quoted, with inner quotes doubled.
std::string CsvField(const std::string& cell) {
  std::string field(csv_write(nullptr, 0, cell.data(), cell.size()), '\0');
  csv_write(field.data(), field.size(), cell.data(), cell.size());
  return field;
}

void CsvRecord(const std::vector<std::string>& cells, std::ostream& out) {
  for (size_t i = 0; i < cells.size(); ++i) out << (i ? "," : "") << CsvField(cells[i]);
  out << "\r\n";
}

}  // namespace

void WriteTsv(const BoardRows& rows, std::ostream& out) {
  TsvLine(rows.columns, out);
  for (const std::vector<std::string>& row : rows.rows) TsvLine(row, out);
}

void WriteCsv(const BoardRows& rows, std::ostream& out) {
  CsvRecord(rows.columns, out);
  for (const std::vector<std::string>& row : rows.rows) CsvRecord(row, out);
}

void WriteJson(const BoardRows& rows, std::ostream& out) {
  const nlohmann::ordered_json document = {
      {"site", rows.site}, {"board", rows.board}, {"columns", rows.columns}, {"rows", rows.rows}};
  out << document.dump() << '\n';
}

}  // namespace jixia::fetch_tool

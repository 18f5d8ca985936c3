// The text form of .dtf values in a table source: what `dtf build` reads
// and `dtf dump` writes, so that one reads back exactly what the other
// wrote.
//
//   bool      true, false, or the stored byte 0 to 255
//   int       decimal, optional sign
//   float     decimal or scientific with '.', inf, -inf, nan
//   datetime  YYYY-MM-DD, YYYY-MM-DD HH:MM:SS, or the day count as a float
//   string, memo, names, title   bytes with the escapes \n \t \r \\ \xHH
//   blob, graphic   empty, @PATH (the file's bytes) or 0x followed by hex
#ifndef KAVU32_TOOLS_DTF_CELL_TEXT_H
#define KAVU32_TOOLS_DTF_CELL_TEXT_H

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kavu32::dtf {

// A cell text that has no value; Offset is the byte of the cell where the
// problem lies.
class CellError : public std::runtime_error {
 public:
  CellError(size_t offset, const std::string& message) : std::runtime_error(message), Offset(offset) {}
  size_t Offset;
};

// bool, int, float, string, datetime, blob, memo, graphic.
std::optional<uint8_t> TypeCodeOfName(std::string_view name);
std::string_view TypeName(uint8_t typeCode);

std::string EscapeText(std::string_view bytes);
std::string UnescapeText(std::string_view text);

uint8_t ParseBooleanCell(std::string_view text);
std::string FormatBooleanCell(uint8_t stored);

int32_t ParseIntegerCell(std::string_view text);

double ParseFloatCell(std::string_view text);
// The shortest text that reads back as the same double.
std::string FormatFloatCell(double value);

double ParseDateTimeCell(std::string_view text);
// The calendar form when it reads back exactly, else the day count.
std::string FormatDateTimeCell(double value);

// The bytes of "0x..." hex text.
std::string ParseHexBytes(std::string_view text);
std::string FormatHexBytes(std::string_view bytes);
inline constexpr std::string_view kHexPrefix = "0x";
inline constexpr char kFileReference = '@';

}  // namespace kavu32::dtf

#endif

// Fuzz target: cleaning a typed field with every cleaning list the screens
// use, then reading the cleaned text.
//
// Each list must give what its pairs say when applied one after the other
// to the whole text, left to right without overlap; it never lengthens the
// text and keeps well-formed UTF-8 well-formed. A list whose finds are all
// single characters leaves none of them behind and is idempotent: cleaning
// a second time changes nothing (for well-formed text; the fields of the
// program never hold anything else). Lists with a two-character find (".."
// or "./") are not idempotent by design ('...' becomes '..').
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/properties.h"
#include "numeric/fields.h"

namespace {

using namespace hc::fuzz;
using hc::DecimalMarks;
using hc::PairList;
using hc::Remove;
using hc::ToPoint;

struct NamedList {
  const char* name;
  PairList pairs;
};

// Every list in use by the screens.
const NamedList kLists[] = {
    {"DecimalMarks", DecimalMarks},
    {"money", hc::kMoneyMarks},
    {"money or percent", hc::kMoneyOrPercentMarks},
    {"shares", hc::kShareMarks},
    {"periods", hc::kPeriodMarks},
    {"rate", hc::kRateMarks},
    {"multiple", hc::kMultipleMarks},
    {"plan capital", DecimalMarks.Then({ToPoint(".."), Remove("元")})},
    {"plan mode", DecimalMarks.Then({ToPoint("/"), Remove("元"), Remove("%")})},
    {"plan money", DecimalMarks.Then({ToPoint("/"), ToPoint(".."), Remove("元"), Remove("%")})},
    {"plan shares", DecimalMarks.Then({ToPoint("/"), ToPoint(".."), Remove("股"), Remove("%")})},
    {"grid steps", DecimalMarks.Then({ToPoint("/"), ToPoint(".."), Remove("个"), Remove("%")})},
    {"plan plain", DecimalMarks.Then({ToPoint("/"), ToPoint(".."), Remove("%")})},
    {"grid base", DecimalMarks.Then({ToPoint("/"), ToPoint("./"), ToPoint(".."), Remove("元"), Remove("%")})},
    {"work field minus", PairList{Remove("-")}},
};

// Length in characters of a UTF-8 text (leading bytes counted).
std::size_t Characters(std::string_view s) {
  std::size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

// The pairs applied one after the other, each scanning the whole text.
// The full-width forms a Chinese input method types and their plain forms.
const hc::Pair kFullWidth[] = {{"０", "0"}, {"１", "1"}, {"２", "2"}, {"３", "3"}, {"４", "4"}, {"５", "5"},
                               {"６", "6"}, {"７", "7"}, {"８", "8"}, {"９", "9"}, {"．", "."}, {"－", "-"},
                               {"−", "-"},  {"＋", "+"}, {"％", "%"}, {"　", " "}};

std::string ReferenceClean(std::string text, const PairList& list) {
  std::vector<hc::Pair> pairs(std::begin(kFullWidth), std::end(kFullWidth));
  pairs.insert(pairs.end(), list.begin(), list.end());
  for (const hc::Pair& p : pairs) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
      if (!p.find.empty() && text.compare(i, p.find.size(), p.find) == 0) {
        out += p.replacement;
        i += p.find.size();
      } else {
        out += text[i++];
      }
    }
    text = out;
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::setlocale(LC_ALL, "C");
  const std::string input(reinterpret_cast<const char*>(data), size);
  const bool wellFormed = IsValidUtf8(input);

  for (const NamedList& list : kLists) {
    const std::string property = std::string("cleaning with the ") + list.name + " list";
    std::string field = input;
    hc::CleanNumberText(field, list.pairs);

    Check(field == ReferenceClean(input, list.pairs), property + " applies each pair to the whole text in turn",
          input, "got " + Escaped(field));
    Check(field.size() <= input.size(), property + " never lengthens the text", input);
    if (wellFormed) Check(IsValidUtf8(field), property + " keeps the text well-formed UTF-8", input, Escaped(field));

    bool singleCharacterFinds = true;
    for (const hc::Pair& p : list.pairs) singleCharacterFinds = singleCharacterFinds && Characters(p.find) == 1;
    if (singleCharacterFinds && wellFormed) {
      for (const hc::Pair& p : list.pairs) {
        Check(field.find(p.find) == std::string::npos, property + " leaves no find behind", input,
              "left " + Escaped(p.find) + " in " + Escaped(field));
      }
      std::string again = field;
      hc::CleanNumberText(again, list.pairs);
      Check(again == field, property + " is idempotent", input, Escaped(field) + " became " + Escaped(again));
    }

    // The cleaned text is what the calculation reads.
    double value = 0.0;
    int error = ErrorOf([&] { value = hc::ReadNumber(field); }, "ReadNumber", field);
    Check(error == -1 || error == kOverflow, "ReadNumber of a cleaned text throws only overflow", field);
    Check(error != -1 || std::isfinite(value), "ReadNumber of a cleaned text is finite", field);
    Check(!hc::IsMissing(field) || hc::ReadNumber(field) == 0.0, "a missing field reads as 0", field);
  }

  // The tool screens' fields by kind: cleaning settles in one pass, keeps
  // UTF-8 well-formed and never fails; the cleaned text reads as a number,
  // as too large, as missing or as not a number, and a plain decimal is
  // never "not a number".
  using hc::FieldKind;
  for (FieldKind kind : {FieldKind::Price, FieldKind::CostPrice, FieldKind::Count, FieldKind::Amount,
                         FieldKind::Percent, FieldKind::Rate}) {
    const std::string property = "cleaning a field of kind " + std::to_string(static_cast<int>(kind));
    std::string field = input;
    int error = ErrorOf([&] { hc::CleanField(field, kind); }, "CleanField", input);
    Check(error == -1, property + " never fails", input);
    if (!wellFormed) continue;
    Check(IsValidUtf8(field), property + " keeps the text well-formed UTF-8", input, Escaped(field));
    std::string again = field;
    hc::CleanField(again, kind);
    Check(again == field, property + " is idempotent", input, Escaped(field) + " became " + Escaped(again));
    hc::FieldNumber n;
    error = ErrorOf([&] { n = hc::ReadFieldNumber(field); }, "ReadFieldNumber", field);
    Check(error == -1, "reading a cleaned field never fails", field);
    const bool plain = !field.empty() && field.find_first_not_of("+-.0123456789") == std::string::npos &&
                       field.find_first_of("0123456789") != std::string::npos &&
                       (field.find_last_of("+-") == std::string::npos || field.find_last_of("+-") == 0) &&
                       field.find('.') == field.rfind('.');
    if (plain) Check(n.state != hc::FieldNumber::State::NotNumber, "a plain decimal is a number", field);
  }
  return 0;
}

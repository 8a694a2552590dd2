#pragma once
// The clocks the user chose, as section [Items] keeps them:
//
//   clock1=Tokyo=Asia/Tokyo          the four dials, upper left, upper right, lower left and
//   clock2=Kathmandu=Asia/Kathmandu  lower right: a label and a zone name ("Local" is the
//   ...                              machine's own zone)
//   globeclocks=Asia/Tokyo Europe/Paris   the globe clocks, zone names separated by blanks
//
// A missing or empty key keeps the program's own clock there. Labels are UTF-8 as typed.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Characters of a dial's label, and clocks on the globe, at most.
constexpr std::size_t kDialLabelLimit = 10;
constexpr std::size_t kGlobeClockLimit = 12;

// The zone name of the machine's own zone.
constexpr std::string_view kLocalZone = "Local";
// "Local" in any case.
bool isLocalZone(std::string_view zone);

struct DialChoice {
  std::string label;  // at most kDialLabelLimit characters
  std::string zone;   // a zone name or "Local"; empty: the program's own dial
};

struct ClockChoice {
  std::array<DialChoice, 4> dials;
  std::vector<std::string> globeZones;  // empty: the program's own globe clocks
};

// "Label=Area/City": the label before the last '=', the zone after it, blanks around either
// dropped; a value without '=' is a zone alone. An empty label becomes the zone's city; a
// longer one is cut to kDialLabelLimit characters. An empty zone chooses nothing.
DialChoice parseDialChoice(std::string_view value);
// The value of a dial's key: "Label=Area/City", or empty when no zone is chosen.
std::string dialChoiceValue(const DialChoice& dial);

// The names of a list separated by blanks or tabs, in order.
std::vector<std::string> splitZoneList(std::string_view value);
std::string joinZoneList(const std::vector<std::string>& zones);

// A label for a zone: the last part of its name with blanks for underscores ("Sao Paulo"
// for "America/Sao_Paulo"), cut to kDialLabelLimit characters; "Local" for the machine's.
std::string cityLabel(std::string_view zone);

// The first `limit` characters of a UTF-8 text (a byte that starts no valid sequence counts
// as one character).
std::string firstCharacters(std::string_view utf8, std::size_t limit);

// The choice as the settings file holds it now.
ClockChoice readClockChoice();
// Writes the five keys with one replacement of the file; false when it could not be written.
bool storeClockChoice(const ClockChoice& choice);

// Text conversions that fill an existing text: its buffer is kept, so that a reader filling
// the same texts race after race allocates nothing for them.
#pragma once

#include <string>
#include <string_view>

namespace tz::text {

// DecodeSjis into `out`, replacing what it held.
void DecodeSjisInto(std::string& out, std::string_view bytes);

// Trim into `out`.
void AssignTrimmed(std::string& out, std::string_view s);

// The half-width form of one character as ToHalfWidth gives it: one or two characters in
// `half`, their count returned.
int HalfWidthForm(char32_t c, char32_t (&half)[2]);

}  // namespace tz::text

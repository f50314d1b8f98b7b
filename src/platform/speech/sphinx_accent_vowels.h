#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvo::speech {

/// How English accents other than the dictionary's own (General American)
/// say the vowels of a pronunciation ("T AE K S" -> "T AA K S"): one form
/// for each accent feature the phones hold, that vowel changed throughout.
/// The open "a" of northern England, Scotland and Wales (AE -> AA), the
/// unsplit "u" of northern England (AH -> UH), the steady "e" and "o" of
/// Scotland and the north (EY -> EH, OW -> AO), the rounded "o" of
/// Britain (AA -> AO) and the Scottish "ou" (AW -> UW). Never the phones
/// themselves; each form once.
std::vector<std::string> accentVowelForms(std::string_view phones);

} // namespace kelvo::speech

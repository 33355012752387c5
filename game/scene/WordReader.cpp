#include "game/scene/WordReader.h"

#include <locale>

namespace quiltRush {

bool WordReader::next(std::string& word) {
    // The white space before a word is skipped here rather than by >>, so that
    // its line ends can be counted; the same locale decides what white space is.
    const std::locale locale = in.getloc();
    const auto& ctype = std::use_facet<std::ctype<char>>(locale);
    for (int c = in.peek(); c != std::char_traits<char>::eof(); c = in.peek()) {
        if (!ctype.is(std::ctype_base::space, std::char_traits<char>::to_char_type(c))) break;
        if (c == '\n') ++line;
        in.get();
    }
    if (!(in >> word)) return false;
    last.line = line;
    last.word = word;
    return true;
}

bool WordReader::skipTo(const std::string& keyword) {
    std::string word;
    while (next(word)) {
        if (word == keyword) return true;
    }
    return false;
}

}  // namespace quiltRush

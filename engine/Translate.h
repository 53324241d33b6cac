#pragma once

#include <string>

namespace zorv::engine {

// The one way texts shown to a person reach the user's language. The
// calculator's logic holds its texts in English; the window points this at
// its translation catalogue, while batch mode leaves it as it is, so that
// batch output (a contract for scripts) stays English. Only texts shown to
// a person go through here: never tape text, settings keys or file names.
using TranslateFunction = std::string (*)(const char* context, const char* text);

// Sets the function translate() uses; nullptr restores the default, which
// returns the text unchanged.
void setTranslator(TranslateFunction function);

// `text` in the user's language, or unchanged when no translation is known.
// `context` groups texts the way the translation files do ("Messages" for
// message boxes and prompts).
std::string translate(const char* context, const char* text);
inline std::string translate(const char* context, const std::string& text) {
    return translate(context, text.c_str());
}

}  // namespace zorv::engine

#include "engine/Translate.h"

#include <atomic>

namespace zorv::engine {

namespace {
std::atomic<TranslateFunction> gTranslator{nullptr};
}  // namespace

void setTranslator(TranslateFunction function) { gTranslator.store(function); }

std::string translate(const char* context, const char* text) {
    if (!text) return {};
    if (const TranslateFunction f = gTranslator.load()) return f(context, text);
    return text;
}

}  // namespace zorv::engine

#include "base/translate.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <vector>

#include "translations_en.inc"

namespace wb {

namespace {

bool Before(const char* context1, const char* source1, const char* context2, const char* source2) {
    const int c = std::strcmp(context1, context2);
    return c < 0 || (c == 0 && std::strcmp(source1, source2) < 0);
}

// The catalogue's rows in the order of Before, sorted once: the generated table keeps the
// catalogue's order, which lupdate does not promise to be any byte order.
const std::vector<const TranslationRow*>& SortedRows() {
    static const std::vector<const TranslationRow*> rows = [] {
        std::vector<const TranslationRow*> v;
        for (const TranslationRow& row : kEnglish)
            v.push_back(&row);
        std::sort(v.begin(), v.end(), [](const TranslationRow* a, const TranslationRow* b) {
            return Before(a->context, a->source, b->context, b->source);
        });
        return v;
    }();
    return rows;
}

}  // namespace

const char* TranslateTo(UiLanguage language, const char* context, const char* source) {
    if (language != UiLanguage::English) return source;
    const auto& rows = SortedRows();
    const auto it = std::lower_bound(rows.begin(), rows.end(), nullptr,
                                     [&](const TranslationRow* row, std::nullptr_t) {
                                         return Before(row->context, row->source, context, source);
                                     });
    if (it == rows.end() || std::strcmp((*it)->context, context) != 0 ||
        std::strcmp((*it)->source, source) != 0)
        return source;
    return (*it)->translation;
}

const char* Translate(const char* context, const char* source) {
    return TranslateTo(platform::UserUiLanguage(), context, source);
}

}  // namespace wb

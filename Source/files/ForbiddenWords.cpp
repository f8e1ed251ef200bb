#include "files/ForbiddenWords.h"

#include <cstring>

namespace Vorlaine {

void ForbiddenWords::removeFrom(std::string& forms, std::size_t from, std::string_view word) const {
    std::size_t kept = from;
    while (from < forms.size()) {
        const std::size_t end = forms.find('\n', from);
        const std::size_t length = end - from;
        const std::string_view form = std::string_view(forms).substr(from, length);
        const auto found = words_.find(form);
        if (found == words_.end() || (!found->second && form == word)) {
            if (kept != from)
                std::memmove(forms.data() + kept, forms.data() + from, length + 1);
            kept += length + 1;
        }
        from = end + 1;
    }
    forms.resize(kept);
}

} // namespace Vorlaine

#include "platform/Transliteration.hpp"

#include <memory>

#include <unicode/brkiter.h>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace corvina {

namespace {

std::string toUTF8(const icu::UnicodeString& text) {
    std::string out;
    text.toUTF8String(out);
    return out;
}

// Built once: creating the transform parses its rules.
icu::Transliterator* latinTransform() {
    static std::unique_ptr<icu::Transliterator> transform = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> t(icu::Transliterator::createInstance(
            "Any-Latin; NFD; [:Nonspacing Mark:] Remove; NFC", UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(t) : nullptr;
    }();
    return transform.get();
}

}  // namespace

std::string latinWithoutDiacritics(const std::string& utf8) {
    auto text = icu::UnicodeString::fromUTF8(utf8);
    if (auto* transform = latinTransform()) transform->transliterate(text);
    return toUTF8(text);
}

std::string firstGrapheme(const std::string& utf8) {
    auto text = icu::UnicodeString::fromUTF8(utf8);
    if (text.isEmpty()) return {};
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> iterator(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status)) return toUTF8(text.tempSubString(0, text.moveIndex32(0, 1)));
    iterator->setText(text);
    const int32_t end = iterator->following(0);
    return toUTF8(text.tempSubString(0, end == icu::BreakIterator::DONE ? text.length() : end));
}

bool startsWithLetter(const std::string& utf8) {
    auto text = icu::UnicodeString::fromUTF8(utf8);
    return !text.isEmpty() && u_isalpha(text.char32At(0));
}

std::string upperCased(const std::string& utf8) {
    auto text = icu::UnicodeString::fromUTF8(utf8);
    text.toUpper(icu::Locale::getRoot());
    return toUTF8(text);
}

}  // namespace corvina

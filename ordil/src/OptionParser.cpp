// Takes slash options out of a command text, reporting each to a callback,
// and writes the remaining words back compactly into the same buffer.
#include "ordil/include/ordil.h"
#include "ordil/src/CharClass.h"

#include <string_view>

using namespace ordil;

namespace {

struct Argument
{
    const char16_t* text;  // null when the argument is empty
    size_t next;           // where reading goes on
};

class OptionParser
{
public:
    OptionParser(char16_t* text, std::u16string_view options, UtlOptionCallback callback, void* user)
        : text_(text), options_(options), callback_(callback), user_(user)
    {}

    uint32_t run()
    {
        while (text_[read_]) {
            char16_t c = text_[read_];
            uint32_t status = UTL_S_OK;
            if (isBlank(c))
                text_[write_++] = text_[read_++];
            else if (c == u'/')
                status = readGroup();
            else if (isQuote(c))
                copyQuoted();
            else
                copyWord();
            if (status != UTL_S_OK) {
                text_[write_] = u'\0';
                return status;
            }
        }
        finish();
        return UTL_S_OK;
    }

private:
    // A slash and option letters up to a blank; an option with an argument ends the group.
    uint32_t readGroup()
    {
        ++read_;
        while (text_[read_] && !isBlank(text_[read_])) {
            char16_t letter = text_[read_++];
            if (letter == u':') continue;
            size_t known = options_.find(letter);
            bool takesArgument = known != std::u16string_view::npos && options_.substr(known + 1, 1) == u":";
            if (!takesArgument) {
                if (!report(letter, nullptr)) return UTL_E_OPTION_REFUSED;
                continue;
            }
            bool optional = options_.substr(known + 1, 2) == u"::";
            Argument argument = takeArgument(optional);
            read_ = argument.next;
            if (!argument.text && !optional) return UTL_E_MISSING_OPTION_ARGUMENT;
            return report(letter, argument.text) ? UTL_S_OK : UTL_E_OPTION_REFUSED;
        }
        return UTL_S_OK;
    }

    // A blank that is the last character or is followed by a slash ends an argument.
    bool endsArgument(size_t at) const
    {
        return isBlank(text_[at]) && (text_[at + 1] == u'/' || !text_[at + 1]);
    }

    // The argument after an option letter, unquoted in place and terminated.
    // Quotes are dropped and the character after each is taken as it is, so
    // two quotes in a row give one. An unquoted argument runs to a blank
    // before the next slash or to the end, blanks included.
    Argument takeArgument(bool optional)
    {
        size_t source = read_;
        while (isBlank(text_[source])) ++source;
        if (!text_[source] || (optional && text_[source] == u'/')) return {nullptr, source};
        size_t start = source;
        size_t target = source;
        while (text_[source] && !endsArgument(source)) {
            if (isQuote(text_[source])) {
                ++source;
                if (!text_[source] || endsArgument(source)) break;
            }
            text_[target++] = text_[source++];
        }
        size_t next = text_[source] ? source + 1 : source;
        text_[target] = u'\0';
        return {target > start ? text_ + start : nullptr, next};
    }

    bool report(char16_t letter, const char16_t* argument) { return callback_(letter, argument, user_) != 0; }

    void copyQuoted()
    {
        char16_t quote = text_[read_];
        text_[write_++] = text_[read_++];
        while (text_[read_] && text_[read_] != quote) text_[write_++] = text_[read_++];
        if (text_[read_]) text_[write_++] = text_[read_++];
    }

    // A word up to a blank, a quote or the end, with one blank that follows it.
    void copyWord()
    {
        while (text_[read_] && !isBlank(text_[read_]) && !isQuote(text_[read_]))
            text_[write_++] = text_[read_++];
        if (isBlank(text_[read_])) text_[write_++] = text_[read_++];
    }

    // Drops one trailing blank and one leading blank of the output.
    void finish()
    {
        if (write_ > 0 && isBlank(text_[write_ - 1])) --write_;
        text_[write_] = u'\0';
        if (isBlank(text_[0])) {
            for (size_t i = 0; i < write_; ++i) text_[i] = text_[i + 1];
        }
    }

    char16_t* text_;
    std::u16string_view options_;
    UtlOptionCallback callback_;
    void* user_;
    size_t read_ = 0;
    size_t write_ = 0;
};

}  // namespace

extern "C" uint32_t UtlParseOptions(char16_t* text, const char16_t* options, UtlOptionCallback callback,
                                    void* user)
{
    if (!callback) return UTL_E_POINTER;
    if (!text || !options) return UTL_E_INVALIDARG;
    return OptionParser(text, options, callback, user).run();
}

#pragma once
// The texts of a line's columns kept by the field values they were made of,
// for lines made straight from a log's items: a column whose field takes few
// values (a tag, a flag, the milliseconds) is formatted once per value, a
// column of a time stamp once per stamp, and copied from then on. Each text
// is the line formatter's own of the field's bytes in the record being
// built, so the line is the one that record would make.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/bytes/ByteGroups.h"
#include "logora/engine/export/ListLineFormatter.h"

namespace logora {

class KeyedColumnTexts
{
public:
    // `lines` must outlive the object.
    explicit KeyedColumnTexts(ListLineFormatter& lines);

    // Copies the text of column `index` for the field value `key` (a small
    // number: texts are kept by it) to `at` and returns its end; made the
    // first time by `fill` setting the field in `record`, then formatting it.
    template <typename Fill>
    char* PutKeyed(char* at, size_t index, size_t key, const uint8_t* record, Fill fill)
    {
        std::vector<KeyedText>& texts = columns_[index].byKey;
        if (texts.size() <= key) texts.resize(key + 1);
        KeyedText& keyed = texts[key];
        if (!keyed.made) {
            fill();
            keyed.text.assign(scratch_.get(), lines_.PutColumn(index, record, scratch_.get()));
            keyed.made = true;
        }
        return Copy(at, keyed.text);
    }
    // The text of column `index` of `record` as it stands.
    char* PutFormatted(char* at, size_t index, const uint8_t* record)
    {
        return at + lines_.PutColumn(index, record, at);
    }
    // Keeps the text of column `index` of `record` (a new time stamp's), and
    // copies it until kept again.
    void Keep(size_t index, const uint8_t* record);
    char* PutKept(char* at, size_t index) { return Copy(at, columns_[index].kept); }

private:
    struct KeyedText
    {
        bool made = false;
        std::string text;
    };
    struct Column
    {
        std::string kept;
        std::vector<KeyedText> byKey;
    };

    static char* Copy(char* at, const std::string& text)
    {
        CopyFewBytes(at, text.data(), text.size());
        return at + text.size();
    }

    ListLineFormatter& lines_;
    std::vector<Column> columns_;
    std::unique_ptr<char[]> scratch_;  // one column's longest text, quoted
};

}  // namespace logora

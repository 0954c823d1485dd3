#include "logora/engine/recipe/CConvertRppToDBF.h"

#include "logora/engine/context/ConversionError.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/dbf/CompleteTable.h"
#include "logora/engine/recipe/VariantText.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"
#include "logora/engine/text/CodePage.h"
#include "logora/engine/text/Utf8.h"
#include "platform/files/FileAccess.h"
#include "platform/locale/DecimalSeparator.h"

namespace logora {

namespace {

constexpr int kNumberColumn = 0;
constexpr int kIngredientColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kMinColumn = 3;
constexpr int kMaxColumn = 4;
constexpr int kFixedColumns = 5;
constexpr int kTextLength = 255;

std::string FileNamePart(const std::string& path)
{
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace

CConvertRppToDBF::CConvertRppToDBF(const EngineContext& context) : context_(context) {}

bool CConvertRppToDBF::Open(const std::string& path)
{
    using Kind = ConversionError::Kind;
    path_ = path;
    if (path.empty() || !platform::PathExists(path)) {
        throw ConversionError(
            Kind::Refused, path, strings::RecipeCannotBeOpened,
            path.empty() ? std::string("no recipe file was named") : path + ": no such file");
    }
    fileName_ = FileNamePart(path);
    TakeStorage(storage_.Open(path));
    return true;
}

void CConvertRppToDBF::OpenMemory(std::span<const uint8_t> bytes, const std::string& name)
{
    path_ = name;
    fileName_ = FileNamePart(name);
    TakeStorage(storage_.OpenMemory(bytes, name));
}

void CConvertRppToDBF::TakeStorage(bool opened)
{
    if (!opened) {
        throw ConversionError(ConversionError::Kind::Refused, path_, strings::RecipeCannotBeOpened,
                              storage_.GetOpenFailure());
    }
    ingredientCount_ = storage_.GetIngredientCount();
}

void CConvertRppToDBF::RefuseTable(const std::string& failure) const
{
    throw ConversionError(ConversionError::Kind::Refused, path_, ConversionError::kNoMessage, failure);
}

// The too-many-sets text names the file by its name alone.
void CConvertRppToDBF::Declare(CDBF& table)
{
    const int dataSets = storage_.GetDataSetCount();
    const int tagSets = storage_.GetTagSetCount();
    if (dataSets + tagSets > kMaxSetColumns)
        throw ConversionError(ConversionError::Kind::Refused, fileName_, strings::RecipeTooManySets, {});

    table.AddField(LoadString(strings::RecipeColumnNumber), 'N', 5, 0);
    table.AddField(LoadString(strings::RecipeColumnIngredient), 'C', kTextLength, 0);
    table.AddField(LoadString(strings::RecipeColumnType), 'C', 20, 0);
    table.AddField(LoadString(strings::RecipeColumnMin), 'C', 10, 0);
    table.AddField(LoadString(strings::RecipeColumnMax), 'C', 10, 0);
    firstDataSetColumn_ = kFixedColumns;
    lastDataSetColumn_ = firstDataSetColumn_ + dataSets - 1;
    for (int i = 0; i < dataSets; ++i) {
        table.AddField(FromUtf16(Utf8ToUtf16(storage_.GetDataSetName(i)), context_.codePage), 'C',
                       kTextLength, 0);
    }
    firstTagSetColumn_ = lastDataSetColumn_ + 1;
    lastTagSetColumn_ = firstTagSetColumn_ + tagSets - 1;
    for (int i = 0; i < tagSets; ++i) {
        table.AddField(FromUtf16(Utf8ToUtf16(storage_.GetTagSetName(i)), context_.codePage), 'C', kTextLength,
                       0);
    }
    table.WriteHeader(ingredientCount_);
}

void CConvertRppToDBF::Run(CDBF& table)
{
    Run(table, *context_.OpenProgress(std::string(LoadString(strings::ConvertingRecipeCaption)),
                                      FormatString(strings::ConvertingFile, fileName_)));
}

void CConvertRppToDBF::Run(CDBF& table, ControlProcess& progress)
{
    progress.SetMessage(FormatString(strings::ConvertingFile, fileName_));
    const std::u16string separator = platform::UserDecimalSeparator();
    for (uint32_t i = 0; i < ingredientCount_; ++i) {
        ConvertIngredient(table, i, separator);
        table.AppendRecord();
        progress.SetProgress(ingredientCount_, i + 1);
        if (progress.IsCancelled()) break;
    }
    CompleteTable(table, path_);
}

// An entry that cannot be read leaves its columns empty; the record buffer is
// reused between records, so they are cleared explicitly.
void CConvertRppToDBF::ConvertIngredient(CDBF& table, uint32_t index, std::u16string_view decimalSeparator)
{
    table.SetFieldInt(kNumberColumn, static_cast<int>(index + 1));
    if (storage_.ReadIngredient(index)) {
        const RecipeIngredient& ingredient = storage_.GetIngredient();
        table.SetFieldString(kIngredientColumn, FromUtf16(ingredient.name, context_.codePage));
        table.SetFieldString(
            kTypeColumn, LoadString(ingredient.IsNumber() ? strings::RecipeNumber : strings::RecipeString));
        table.SetFieldString(
            kMinColumn, FromUtf16(VariantToText(ingredient.minimum, decimalSeparator), context_.codePage));
        table.SetFieldString(
            kMaxColumn, FromUtf16(VariantToText(ingredient.maximum, decimalSeparator), context_.codePage));
    } else {
        for (int column = kIngredientColumn; column <= kMaxColumn; ++column) {
            table.SetFieldString(column, "");
        }
    }
    for (int column = firstDataSetColumn_; column <= lastDataSetColumn_; ++column) {
        const std::string name = storage_.GetDataSetName(column - firstDataSetColumn_);
        const bool read = storage_.ReadDataSetValue(name, index);
        table.SetFieldString(
            column,
            read ? FromUtf16(VariantToText(storage_.GetDataSetValue(), decimalSeparator), context_.codePage)
                 : "");
    }
    for (int column = firstTagSetColumn_; column <= lastTagSetColumn_; ++column) {
        const std::string name = storage_.GetTagSetName(column - firstTagSetColumn_);
        const bool read = storage_.ReadTagSetName(name, index);
        table.SetFieldString(column, read ? FromUtf16(storage_.GetTagName(), context_.codePage) : "");
    }
}

}  // namespace logora

/*
 * Ordil: utility functions for the programs of the HMI product family.
 *
 * Every text is a NUL-terminated UTF-16 string (char16_t). Unless a function
 * says otherwise, results are 1 for yes or success and 0 for no or failure.
 * The option and parameter functions return 32-bit result codes (UTL_S_OK ...).
 * Usable from C (C11, <uchar.h>) and C++.
 */
#ifndef ORDIL_ORDIL_H
#define ORDIL_ORDIL_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#else
#include <uchar.h>
#endif

#if defined(ORDIL_BUILDING)
#define ORDIL_API __attribute__((visibility("default")))
#else
#define ORDIL_API
#endif

/* Result codes of the option and parameter functions. */
#define UTL_S_OK ((uint32_t)0x00000000u)
#define UTL_S_FALSE ((uint32_t)0x00000001u)
#define UTL_E_INVALIDARG ((uint32_t)0x80070057u)
#define UTL_E_FAIL ((uint32_t)0x80004005u)
#define UTL_E_POINTER ((uint32_t)0x80004003u)
#define UTL_E_INSUFFICIENT_BUFFER ((uint32_t)0x8007007Au)
#define UTL_E_MISSING_OPTION_ARGUMENT ((uint32_t)0x80043000u)
#define UTL_E_OPTION_REFUSED ((uint32_t)0x80043002u)

/* Characters a path may hold, without its terminator. */
#define UTL_MAX_PATH 260
/* Size of a block text buffer: 32 key characters, a bar, 255 value characters, NUL. */
#define UTL_BLOCK_SIZE 289
#define UTL_BLOCK_KEY_SIZE 33
#define UTL_BLOCK_VALUE_SIZE 256

/* Broken-down time: eight 16-bit fields in this order. */
typedef struct UtlSystemTime
{
    uint16_t year;
    uint16_t month;     /* 1 to 12 */
    uint16_t dayOfWeek; /* 0 is Sunday */
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint16_t milliseconds;
} UtlSystemTime;

/* Called by UtlParseOptions for each option; argument is NULL when there is
 * none and points into the caller's text, valid during the call only.
 * Returns non-zero to go on. */
typedef int (*UtlOptionCallback)(char16_t option, const char16_t* argument, void* user);

/* Paths, files, folders and drives. Both "\" and "/" separate folders. */
ORDIL_API int UtlBaseFilenameValid(const char16_t* name);
ORDIL_API int UtlFilenameValid(const char16_t* path);
ORDIL_API int UtlDirNameValid(const char16_t* path);
ORDIL_API int UtlDirectoryCreate(const char16_t* path);
ORDIL_API int UtlDirectoryExists(const char16_t* path);
ORDIL_API int UtlDriveExists(const char16_t* path);
ORDIL_API int UtlFileCopy(const char16_t* source, const char16_t* target);
/* Free bytes of the path's volume; 0xFFFFFFFF for 4 GiB or more; 0 when unknown. */
ORDIL_API uint32_t UtlGetDiskFreeSpace(const char16_t* path);
ORDIL_API int UtlIsUNCPath(const char16_t* path);
ORDIL_API int UtlLongFilenameSupported(const char16_t* path);

/* Checksums, blocks, numbers, security codes, small string edits, time. */
ORDIL_API int UtlFileCRC(const char16_t* path, uint16_t* checksum);
/* block must hold UTL_BLOCK_SIZE characters. */
ORDIL_API void UtlBuildBlock(const char16_t* key, const char16_t* value, char16_t* block);
/* key must hold UTL_BLOCK_KEY_SIZE characters, value UTL_BLOCK_VALUE_SIZE; either may be NULL. */
ORDIL_API void UtlSplitBlock(const char16_t* block, char16_t* key, char16_t* value);
ORDIL_API int UtlIsValidInt(const char16_t* text);
ORDIL_API int UtlIsValidFloat(const char16_t* text);
ORDIL_API int UtlLocaleIsValidFloat(const char16_t* text);
ORDIL_API int UtlIsConvertibleFloatString(const char16_t* text, int32_t decimals);
ORDIL_API uint32_t UtlFloatStringToULong(const char16_t* text, int32_t decimals);
/* The text lives in a buffer of the calling thread, overwritten by its next
 * call; NULL for decimals outside 0 to 32. */
ORDIL_API const char16_t* UtlULongToFloatString(uint32_t value, int32_t decimals);
ORDIL_API uint32_t UtlSecMapCharToMask(char16_t code);
ORDIL_API char16_t UtlSecMapMaskToChar(uint16_t mask);
ORDIL_API int UtlIsBlankStr(const char16_t* text);
/* text must hold length + 1 characters. */
ORDIL_API char16_t* UtlPadStr(char16_t* text, uint32_t length, char16_t fill);
ORDIL_API char16_t* UtlStripBlanks(char16_t* text);
ORDIL_API void UtlStripQuotesStr(char16_t* text);
ORDIL_API int UtlConvertToSystemTime(int32_t time, UtlSystemTime* systemTime);

/* Option and parameter texts. */
ORDIL_API uint32_t UtlParseOptions(char16_t* text, const char16_t* options, UtlOptionCallback callback,
                                   void* user);
ORDIL_API uint32_t UtlFindParam(const char16_t* text, char16_t letter, const char16_t** start,
                                const char16_t** end);
/* A pair is found by its word's first characters, compared with the key over
 * the key's length without regard to case: "key=5" holds the key "ke" too. */
ORDIL_API uint32_t UtlGetParamKey(const char16_t* text, char16_t letter, const char16_t* key,
                                  const char16_t** value, uint32_t* length);
/* size is the capacity of text in characters, terminator included. */
ORDIL_API uint32_t UtlSetParamKey(char16_t* text, uint32_t size, char16_t letter, const char16_t* key,
                                  const char16_t* value);

#ifdef __cplusplus
}
#endif

#endif /* ORDIL_ORDIL_H */

/* Guidara: opens the web help page mapped to a help file name and context id.
 *
 * Callers keep asking for help the way compiled help is asked for (help file
 * name plus context id); the library maps the pair to a page below the
 * installed help folder through its built-in table and opens that page with
 * the desktop's default handler. Usable from C and C++.
 *
 * Every function returns 1 when a page was handed to the default handler and
 * 0 otherwise; none of them raises an error or shows anything.
 */
#ifndef GUIDARA_GUIDARA_H
#define GUIDARA_GUIDARA_H

#ifdef __cplusplus
extern "C" {
#else
#include <uchar.h>
#endif

#if defined(__GNUC__)
#define GUIDARA_API __attribute__((visibility("default")))
#else
#define GUIDARA_API
#endif

/* Opens the page mapped to (help file, context id). Only the part of
 * `helpFilePath` after its last backslash counts, without regard to ASCII
 * letter case. `window` and `command` are accepted for compatibility and not
 * used. A null `helpFilePath` gives 0. */
GUIDARA_API int InvokeHelpW(void* window, const char16_t* helpFilePath, unsigned int command, int contextId);

/* As InvokeHelpW; each byte of `helpFilePath` becomes one UTF-16 unit, so
 * only ASCII names are meaningful. */
GUIDARA_API int InvokeHelpA(void* window, const char* helpFilePath, unsigned int command, int contextId);

/* Opens `pageFile`, a path relative to the help folder (backslashes or
 * slashes). A null or empty page, an absolute page or one with ".."
 * components, and an unknown help folder give 0; on Windows a page the shell
 * cannot open still gives 1. */
GUIDARA_API int InvokeHelpDirectW(const char16_t* pageFile);

/* As InvokeHelpDirectW, widening each byte of `pageFile` to one unit. */
GUIDARA_API int InvokeHelpDirectA(const char* pageFile);

/* Function pointer types for callers that load the library at run time. */
typedef int (*InvokeHelpWFunc)(void*, const char16_t*, unsigned int, int);
typedef int (*InvokeHelpDirectWFunc)(const char16_t*);

#ifdef __cplusplus
}
#endif

#endif /* GUIDARA_GUIDARA_H */

#pragma once
// The library's catalogue of its user-visible texts, loaded for the language of QLocale() (on
// Linux: LANGUAGE, then LC_ALL, LC_MESSAGES and LANG) and installed on the application the first
// time a control is created, the way a library's generated catalogue loader does it. A host that
// loads its own translator for the library, or none, is not disturbed: nothing is installed when
// no catalogue matches the locale.

#include <QString>

namespace qvtrnsfr {

// Installs the catalogue once per application object; later calls do nothing.
void installTranslations();

// Where the catalogues are looked for, in order: the ones built into the library, then
// share/qvtrnsfr/translations under each of the system's data folders.
QStringList translationDirectories();

} // namespace qvtrnsfr

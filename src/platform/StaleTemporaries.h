#pragma once

#include <QString>

// QSaveFile writes beside its target under "<name>.XXXXXX" and renames that over the target; a
// kill between the two leaves the temporary behind. Before Zentrel writes a file it removes such
// leftovers of that one file: its own name (in any letter case, as DOS names go) plus a dot and
// six letters or digits, a regular file
// of this user's, untouched for a minute (a save in progress is never that old). Nothing else is
// ever removed.
namespace StaleTemporaries {

inline constexpr int StaleAfterSeconds = 60;

// Returns how many were removed.
int removeFor(const QString &targetPath);

} // namespace StaleTemporaries

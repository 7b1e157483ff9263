#pragma once

#include <QString>
#include <QStringList>

// Zentrel's manual: HTML pages shipped with the program, under share/zentrel/help beside the
// program's bin folder (so the build tree and any installed prefix look alike), or in the
// prefix it was built for.
namespace HelpFiles {

inline const QString EntryPage = QStringLiteral("index.html");
inline const QString FaqPage = QStringLiteral("faq.html");

// The folders looked in, in order.
QStringList candidates(const QString &programDir);
// The first candidate holding the entry page; the first candidate when none does, which the
// "not found" message then names.
QString directory(const QString &programDir);
bool present(const QString &programDir);

// The program's web site as the packager set it; empty when Zentrel has none, and the web items
// open the manual's own pages.
QString webSite();

// The href targets of a page, in order (for checking that every link of the manual resolves).
QStringList links(const QString &html);

} // namespace HelpFiles

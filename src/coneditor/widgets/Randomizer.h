#pragma once

#include <QList>
#include <QString>

class ConEditorPage;
class Random;

// The randomizer's walk: it drives the editor's own lists and value boxes as a player would —
// selecting an entry shows its define's value, setting the box's text writes a new number over
// it — page by page (Players, Weapons with every weapon under every category, Enemies, Misc).
class Randomizer
{
public:
    struct Bounds
    {
        int upper = 0;
        int lower = 0;
        bool leaveAbove = false; // chkLvUp
        bool leaveBelow = false; // chkLvLw
    };
    struct Change
    {
        QString define; // the name the value belongs to, as the file has it
        QString page;
        QString item;
        QString before;
        QString after; // equal to before when left as it was
    };
    struct Report
    {
        QList<Change> changes; // every entry visited, in walk order
        int drawn = 0;         // values given a new number
        int kept = 0;          // values left as they were (outside the bounds, YES/NO, missing)
        QString summary() const;
        // One tab-separated line per value that changed (define, page, item, before, after), for
        // copying; values left as they were are counted in the summary only.
        QString table() const;
    };

    Randomizer(ConEditorPage &page, Random &random);

    // One page ("Players", "Weapons", "Enemies", "Misc"), or the whole file for an empty section,
    // each tab selected before its page is walked.
    Report run(const QString &section, const Bounds &bounds);

private:
    void walkPage(int page, const Bounds &bounds, Report &report);
    void treat(int page, const QString &item, const Bounds &bounds, Report &report);

    ConEditorPage &m_page;
    Random &m_random;
};

#include "coneditor/widgets/Randomizer.h"

#include "coneditor/Catalogue.h"
#include "coneditor/RandomDraw.h"
#include "coneditor/TextBuffer.h"
#include "coneditor/widgets/ConEditorPage.h"
#include "platform/Random.h"

#include <QComboBox>
#include <QListWidget>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTabWidget>

QString Randomizer::Report::summary() const
{
    return QStringLiteral("Randomized %1 values; %2 left as they were").arg(drawn).arg(kept);
}

QString Randomizer::Report::table() const
{
    QString out = QStringLiteral("Define\tPage\tItem\tBefore\tAfter\n");
    for (const Change &c : changes)
        if (c.after != c.before)
            out += c.define + u'\t' + c.page + u'\t' + c.item + u'\t' + c.before + u'\t' + c.after + u'\n';
    return out;
}

// The word in front of the selected value on its line: "define MAXPLAYERHEALTH 100" gives
// MAXPLAYERHEALTH.
static QString nameBeforeSelection(const TextBuffer &buffer)
{
    const QString text = buffer.Text();
    const qsizetype end = buffer.SelStart();
    const qsizetype lineStart = end > 0 ? text.lastIndexOf(QLatin1Char('\n'), end - 1) + 1 : 0;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList words = text.mid(lineStart, end - lineStart).split(blanks, Qt::SkipEmptyParts);
    return words.isEmpty() ? QString() : words.last();
}

Randomizer::Randomizer(ConEditorPage &page, Random &random) : m_page(page), m_random(random) {}

Randomizer::Report Randomizer::run(const QString &section, const Bounds &bounds)
{
    Report report;
    if (section.isEmpty()) {
        for (int page = 0; page < Catalogue::PageCount; ++page) {
            m_page.categories()->setCurrentIndex(page);
            walkPage(page, bounds, report);
        }
        return report;
    }
    for (int page = 0; page < Catalogue::PageCount; ++page)
        if (Catalogue::PageNames[page] == section)
            walkPage(page, bounds, report);
    return report;
}

// Selects an entry and runs its click, also when it is the entry already selected.
static void click(QListWidget *list, int row)
{
    const QSignalBlocker quiet(list);
    list->setCurrentRow(row);
}

void Randomizer::walkPage(int page, const Bounds &bounds, Report &report)
{
    if (page == Catalogue::Weapons) {
        QListWidget *categories = m_page.weaponCategories();
        QListWidget *weapons = m_page.list(Catalogue::Weapons);
        for (int i = 0; i < categories->count(); ++i) {
            click(categories, i);
            m_page.lstWeapInfo_Click(i);
            for (int j = 0; j < weapons->count(); ++j) {
                click(weapons, j);
                m_page.lstWeapon_Click(j);
                treat(page, categories->item(i)->text() + QStringLiteral(": ") + weapons->item(j)->text(), bounds,
                      report);
            }
        }
        return;
    }
    QListWidget *list = m_page.list(page);
    for (int i = 0; i < list->count(); ++i) {
        click(list, i);
        m_page.lstItem_Click(page, i);
        treat(page, list->item(i)->text(), bounds, report);
    }
}

void Randomizer::treat(int page, const QString &item, const Bounds &bounds, Report &report)
{
    const QString pageName = Catalogue::PageNames[page];
    // An entry whose define is not in the file is skipped: the selection still marks the value
    // shown before, which must not get a second draw (it may be one the player chose to keep).
    if (!m_page.valueFound(page)) {
        report.changes.append({QString(), pageName, item, QString(), QString()});
        ++report.kept;
        return;
    }
    TextBuffer &buffer = m_page.buffer();
    const QString before = buffer.SelText();
    const QString define = nameBeforeSelection(buffer);
    if (!RandomDraw::shouldDraw(before, bounds.lower, bounds.upper, bounds.leaveAbove, bounds.leaveBelow)) {
        report.changes.append({define, pageName, item, before, before});
        ++report.kept;
        return;
    }
    const int drawn = RandomDraw::draw(bounds.lower, bounds.upper, m_random.next());
    // The value box writes it over the value; over "YES" or "NO" it writes nothing.
    m_page.valueBox(page)->setEditText(QString::number(drawn));
    const QString after = buffer.SelText();
    report.changes.append({define, pageName, item, before, after});
    if (after == before && (before == QLatin1String("YES") || before == QLatin1String("NO")))
        ++report.kept;
    else
        ++report.drawn;
}

#include "launch/DosBoxNetwork.h"

#include "core/SettingsKeys.h"
#include "platform/SettingsStore.h"

#include <QRegularExpression>

namespace {

const QString WhereToSet = QStringLiteral(" (View > Preferences, \u201cNetwork games in DOSBox\u201d)");

bool isIPv4(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString &part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return false;
        bool ok = false;
        const int value = part.toInt(&ok);
        if (!ok || value > 255 || part.front() == QLatin1Char('+') || part.front() == QLatin1Char('-'))
            return false;
    }
    return true;
}

bool isIPv6(const QString &text)
{
    static const QRegularExpression chars(QStringLiteral("^[0-9A-Fa-f:.]+$"));
    if (!text.contains(QLatin1Char(':')) || !chars.match(text).hasMatch() || text.count(QStringLiteral("::")) > 1)
        return false;
    QString head = text;
    // An IPv4 tail ("::ffff:10.0.0.1") counts as two groups.
    int groups = 0;
    if (text.contains(QLatin1Char('.'))) {
        const qsizetype last = text.lastIndexOf(QLatin1Char(':'));
        if (!isIPv4(text.mid(last + 1)))
            return false;
        head = text.left(last + 1) + QLatin1Char('0');
        groups = 1;
    }
    const QStringList parts = head.split(QLatin1Char(':'));
    for (const QString &part : parts) {
        if (part.size() > 4)
            return false;
        if (!part.isEmpty())
            ++groups;
    }
    const bool compressed = head.contains(QStringLiteral("::"));
    return compressed ? groups <= 7 : groups == 8 && parts.size() == 8;
}

bool isHostName(const QString &text)
{
    static const QRegularExpression label(QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?$"));
    if (text.size() > 253)
        return false;
    const QString name = text.endsWith(QLatin1Char('.')) ? text.chopped(1) : text;
    if (name.isEmpty())
        return false;
    for (const QString &part : name.split(QLatin1Char('.')))
        if (!label.match(part).hasMatch())
            return false;
    return true;
}

} // namespace

DosBoxNetwork DosBoxNetwork::load(const SettingsStore &store)
{
    using namespace SettingsKeys;
    DosBoxNetwork network;
    network.join = store.value(Network, NetRole).trimmed().compare(RoleJoin, Qt::CaseInsensitive) == 0;
    network.address = store.value(Network, NetHost).trimmed();
    const QString port = store.value(Network, NetPort).trimmed();
    if (!port.isEmpty())
        network.port = port;
    return network;
}

bool DosBoxNetwork::save(SettingsStore &store) const
{
    using namespace SettingsKeys;
    bool saved = store.setValue(Network, NetRole, join ? RoleJoin : RoleHost);
    saved = store.setValue(Network, NetHost, address) && saved;
    saved = store.setValue(Network, NetPort, port) && saved;
    return saved;
}

QString DosBoxNetwork::addressProblem(const QString &address)
{
    if (address.isEmpty())
        return QStringLiteral("Enter the address of the computer that hosts the network game") + WhereToSet + u'.';
    if (isIPv4(address) || isIPv6(address) || isHostName(address))
        return {};
    QString shown = address.left(60);
    if (shown.size() < address.size())
        shown += QStringLiteral("\u2026");
    return QStringLiteral("\u201c%1\u201d is not a host name or an IP address: a host name holds letters, digits, "
                          "hyphens and dots only (such as duke-lan or 192.168.1.20)")
               .arg(shown)
           + WhereToSet + u'.';
}

QString DosBoxNetwork::portProblem(const QString &port)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    if (digits.match(port).hasMatch()) {
        const int value = port.toInt();
        if (value >= 1 && value <= 65535)
            return {};
    }
    return QStringLiteral("The UDP port for network games must be a number from 1 to 65535, not \u201c%1\u201d")
               .arg(port.left(20))
           + WhereToSet + u'.';
}

QString DosBoxNetwork::problem() const
{
    if (const QString bad = portProblem(port); !bad.isEmpty())
        return bad;
    return join ? addressProblem(address) : QString();
}

QString DosBoxNetwork::ipxnetCommand() const
{
    const QString number = QString::number(port.toInt());
    return join ? QStringLiteral("ipxnet connect %1 %2").arg(address, number)
                : QStringLiteral("ipxnet startserver %1").arg(number);
}

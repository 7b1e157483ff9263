#pragma once

#include <QString>

class SettingsStore;

// How this computer takes part in a network game: DOSBox's IPX works only through its own
// tunnel, so one player's DOSBox hosts it ("ipxnet startserver <port>") and every other one joins
// ("ipxnet connect <host> <port>") before the network launcher starts.
struct DosBoxNetwork
{
    static constexpr int DefaultPort = 213;

    bool join = false;   // false: this computer hosts
    QString address;     // the host to join: a host name, IPv4 or IPv6 address
    QString port = QString::number(DefaultPort); // as stored; checked before use

    static DosBoxNetwork load(const SettingsStore &store);
    // False when the store could not save.
    bool save(SettingsStore &store) const;

    // Why these settings cannot go to DOSBox, or empty. Checked before anything is written or
    // started; the address and port reach DOSBox's shell, which acts on many characters.
    QString problem() const;
    static QString addressProblem(const QString &address);
    static QString portProblem(const QString &port);

    // The DOS command DOSBox runs before the launcher.
    QString ipxnetCommand() const;
};

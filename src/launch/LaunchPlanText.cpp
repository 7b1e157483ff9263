#include "launch/LaunchPlanText.h"

#include <QFileInfo>

namespace LaunchPlanText {

QString shellQuote(const QString &argument)
{
    QString quoted = argument;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

namespace {

// The run directory is "$d" in the command: every other part of the argument stays quoted.
QString quoteWithRunDir(const QString &argument)
{
    const QStringList parts = argument.split(GameRunner::runDirectory());
    QStringList quoted;
    for (const QString &part : parts)
        quoted << (part.isEmpty() ? QString() : shellQuote(part));
    return quoted.join(QStringLiteral("\"$d\""));
}

// printf's format: the settings text on one line.
QString printfFormat(const QByteArray &text)
{
    QString format = QString::fromUtf8(text);
    format.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    format.replace(QLatin1Char('%'), QStringLiteral("%%"));
    format.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return shellQuote(format);
}

} // namespace

QString shellCommand(const GameRunner::Description &d)
{
    QStringList steps;
    if (d.inDosBox) {
        steps << QStringLiteral("d=$(mktemp -d)");
        steps << QStringLiteral("printf %1 > %2").arg(printfFormat(d.configuration), quoteWithRunDir(d.confPath));
        if (!d.linkPath.isEmpty())
            steps << QStringLiteral("ln -s %1 %2").arg(shellQuote(d.linkTarget), quoteWithRunDir(d.linkPath));
    }
    steps << QStringLiteral("cd ") + shellQuote(d.workingDirectory);
    QStringList command{shellQuote(d.executable)};
    for (const QString &argument : d.arguments)
        command << quoteWithRunDir(argument);
    steps << command.join(QLatin1Char(' '));
    return steps.join(QStringLiteral(" && "));
}

QString compose(const Input &plan)
{
    if (!plan.refusal.isEmpty())
        return QStringLiteral("The launch would be refused with this message:\n\n") + plan.refusal + u'\n';
    const GameRunner::Description &d = plan.description;
    QString out;
    if (d.inDosBox) {
        out += QStringLiteral("Zentrel would start DOSBox, as this command does in a terminal:\n\n");
        out += shellCommand(d) + QStringLiteral("\n\n");
        out += QStringLiteral("The DOS command line of the program:\n\n") + d.commandTail.trimmed() + QStringLiteral("\n\n");
        if (!plan.request.dosCommandBefore.isEmpty())
            out += QStringLiteral("Before it, DOSBox runs:\n\n") + plan.request.dosCommandBefore + QStringLiteral("\n\n");
        out += QStringLiteral("Zentrel's DOSBox settings (added to your own, which DOSBox reads first):\n\n");
        out += QString::fromUtf8(d.configuration) + u'\n';
    } else {
        out += QStringLiteral("Zentrel would start the program directly, as this command does in a terminal:\n\n");
        out += shellCommand(d) + QStringLiteral("\n\n");
    }
    out += QStringLiteral("Files the launch writes in the game directory:\n\n");
    if (plan.filesWritten.isEmpty())
        out += QStringLiteral("(none)\n");
    for (const QString &file : plan.filesWritten)
        out += file + u'\n';
    return out;
}

} // namespace LaunchPlanText

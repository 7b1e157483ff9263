#pragma once

#include "platform/GameRunner.h"

#include <QList>

// Records every start and answers with a result the test chose (by default: started, pid 4242).
// A refusal set here is what the runner says before anything starts (DOSBox missing, say).
class FakeGameRunner : public GameRunner
{
public:
    QList<Request> requests;
    QList<Request> checked; // asked whether they would start
    Result answer{true, {}, 4242, {}, true};
    std::optional<Result> refuse;
    QString dosBox;       // last setDosBox arguments
    QString settingsFile;
    QStringList nativePrograms; // paths runsNatively() says yes to

    void setDosBox(const QString &executable, const QString &settingsFile_) override
    {
        dosBox = executable;
        settingsFile = settingsFile_;
    }
    std::optional<Result> refusal(const Request &request) override
    {
        checked.append(request);
        return refuse;
    }
    Result start(const Request &request) override
    {
        requests.append(request);
        if (refuse)
            return *refuse;
        Result result = answer;
        if (result.programPath.isEmpty() && result.started)
            result.programPath = request.directory + QLatin1Char('/') + request.program;
        return result;
    }
    bool runsNatively(const QString &path) const override { return nativePrograms.contains(path); }
    QList<qint64> ended;       // pids hasEnded() says yes to
    QString output;            // what lastOutput() gives
    bool hasEnded(qint64 pid) const override { return ended.contains(pid); }
    QString lastOutput(qint64, int) const override { return output; }
    QList<Request> described;
    Description describe(const Request &request) override
    {
        described.append(request);
        Description d;
        d.refusal = refuse;
        d.inDosBox = true;
        d.executable = QStringLiteral("dosbox");
        d.arguments = {QStringLiteral("-c"), request.program + request.switches};
        d.workingDirectory = request.directory;
        d.commandTail = request.program.toUpper() + request.switches;
        return d;
    }
};

#pragma once

#include "platform/GameRunner.h"

#include <QList>

// Records every start and answers with a result the test chose (by default: started, pid 4242).
class FakeGameRunner : public GameRunner
{
public:
    QList<Request> requests;
    Result answer{true, {}, 4242, {}, true};
    QString dosBox;       // last setDosBox arguments
    QString settingsFile;

    void setDosBox(const QString &executable, const QString &settingsFile_) override
    {
        dosBox = executable;
        settingsFile = settingsFile_;
    }
    Result start(const Request &request) override
    {
        requests.append(request);
        Result result = answer;
        if (result.programPath.isEmpty() && result.started)
            result.programPath = request.directory + QLatin1Char('/') + request.program;
        return result;
    }
};

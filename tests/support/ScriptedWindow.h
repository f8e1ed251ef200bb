#pragma once

#include "search/run/FieldTexts.h"
#include "search/run/RunWindow.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

namespace Vorlaine::Testing {

// A window for driving the make-words run in tests. It records what the run
// shows and lets a test act during the run's yields, as a user would.
class ScriptedWindow : public RunWindow {
public:
    struct Message {
        QString prompt;
        MessageKind kind;
    };

    void set(Field field, const QString& text) { settings_.setText(field, text); }
    const QString& text(Field field) const { return settings_.text(field); }

    // Successive reads of the field return these texts in turn; the last one
    // stays. For simulating a file that changes between the run's reads.
    void scriptReads(Field field, const QStringList& texts) { scripted_[field] = texts; }

    const QString& fieldText(Field field) const override {
        const auto script = scripted_.find(field);
        if (script != scripted_.end() && !script->second.isEmpty()) {
            settings_.setText(field, script->second.size() > 1 ? script->second.takeFirst()
                                                               : script->second.constFirst());
        }
        return settings_.text(field);
    }
    void clearResults() override { results.clear(); }
    void addFoundWord(const QString& word) override {
        found << word;
        results += word + QStringLiteral("\r\n");
    }
    void showProgress(double itemTotal, double itemIndex) override {
        progress.push_back({itemTotal, itemIndex});
    }
    void showMessage(MessageKind kind, const QString& prompt) override {
        messages.push_back({prompt, kind});
    }
    bool yield() override {
        ++yields;
        if (onYield)
            onYield(*this, yields);
        return !closing;
    }

    // What the run did.
    QString results; // the results box, one CR LF line per word
    std::vector<std::pair<double, double>> progress;
    QStringList found;
    std::vector<Message> messages;
    int yields = 0;

    // Called with the yield's number (from 1) during every yield.
    std::function<void(ScriptedWindow&, int)> onYield;
    bool closing = false;

private:
    mutable FieldTexts settings_;
    mutable std::map<Field, QStringList> scripted_;
};

} // namespace Vorlaine::Testing

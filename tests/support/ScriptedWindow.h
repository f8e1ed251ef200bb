#pragma once

#include "RunWindow.h"

#include <QString>
#include <QStringList>
#include <array>
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
        QString title;
        MessageStyle style;
    };

    ScriptedWindow() {
        set(Field::txtTANGLED, QStringLiteral("TANGLE"));
        set(Field::txtDragN, QStringLiteral("wordlist.txt"));
        set(Field::txtminlength, QStringLiteral("4"));
        set(Field::txtoutput, QStringLiteral("NewWordsList.txt"));
        set(Field::txtReady, QStringLiteral("Percentage done"));
        set(Field::txtwordsleft, QStringLiteral("Words left"));
    }

    void set(Field field, const QString& text) { fields_[index(field)] = text; }
    const QString& text(Field field) const { return fields_[index(field)]; }

    // Successive reads of the field return these texts in turn; the last one
    // stays. For simulating a file that changes between the run's reads.
    void scriptReads(Field field, const QStringList& texts) { scripted_[field] = texts; }

    const QString& fieldText(Field field) const override {
        const auto script = scripted_.find(field);
        if (script != scripted_.end() && !script->second.isEmpty()) {
            fields_[index(field)] = script->second.size() > 1 ? script->second.takeFirst()
                                                              : script->second.constFirst();
        }
        ++reads[index(field)];
        return fields_[index(field)];
    }
    void setFieldText(Field field, const QString& text) override { set(field, text); }
    void showProgress(double itemTotal, double itemIndex) override {
        progress.push_back({itemTotal, itemIndex});
    }
    void addFoundWord(const QString& word) override {
        found << word;
        set(Field::txtText1_good, text(Field::txtText1_good) + word + QStringLiteral("\r\n"));
    }
    void showMessage(const QString& prompt, const QString& title, MessageStyle style) override {
        messages.push_back({prompt, title, style});
    }
    bool yield() override {
        ++yields;
        if (onYield)
            onYield(*this, yields);
        return !closing;
    }

    // What the run did.
    std::vector<std::pair<double, double>> progress;
    QStringList found;
    std::vector<Message> messages;
    int yields = 0;
    mutable std::array<int, 7> reads{};

    // Called with the yield's number (from 1) during every yield.
    std::function<void(ScriptedWindow&, int)> onYield;
    bool closing = false;

private:
    static std::size_t index(Field field) { return static_cast<std::size_t>(field); }

    mutable std::array<QString, 7> fields_;
    mutable std::map<Field, QStringList> scripted_;
};

} // namespace Vorlaine::Testing

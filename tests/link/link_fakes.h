#pragma once

#include "link/link_interfaces.h"
#include "link/module_link.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

// Plain stand-ins for what the window gives the link: no widgets, no port, no real time.
namespace morvel::testing {

class FakeInfoList : public InfoList {
public:
    int LineCount() const override { return int(lines.size()); }
    void AddLine(const QString& text) override { lines << text; }
    void RemoveFirstLine() override { lines.removeFirst(); }
    void ReplaceLine(int index, const QString& text) override
    {
        lines[index] = text;
        replacements << text;
    }

    QStringList lines;
    QStringList replacements; // every replaced text, in order
};

class FakeControls : public RunControls {
public:
    void SetProgramButtonEnabled(bool enabled) override { programEnabled = enabled; }
    void SetReadButtonEnabled(bool enabled) override { readEnabled = enabled; }
    void SetBusyCursor(bool isBusy) override { busy = isBusy; }
    bool Idle() const { return programEnabled && readEnabled && !busy; }

    bool programEnabled = true;
    bool readEnabled = true;
    bool busy = false;
};

// Counts the periods it starts: enabling a running timer starts none.
class FakeTimer : public RunTimer {
public:
    void Enable() override
    {
        if (!enabled)
            ++periodsStarted;
        enabled = true;
    }
    void Disable() override { enabled = false; }
    bool IsEnabled() const override { return enabled; }

    bool enabled = false;
    int periodsStarted = 0;
};

class FakePort : public ModulePort {
public:
    void SetListener(PortListener* newListener) override { listener = newListener; }
    PortResult SetPortName(const QString& newName) override
    {
        if (newName != name && open) {
            Close();
            name = newName;
            return Open();
        }
        name = newName;
        return {};
    }
    PortResult Open() override
    {
        if (open)
            return {};
        if (!openError.isEmpty())
            return {openError, openHint};
        open = true;
        ++opens;
        return {};
    }
    void Close() override
    {
        if (open)
            ++closes;
        open = false;
    }
    void DiscardInput() override { ++discards; }
    bool IsOpen() const override { return open; }
    PortResult Write(std::string_view bytes) override
    {
        if (failWriteNumber == int(writes.size()) + 1)
            return {writeError};
        writes.emplace_back(bytes);
        return {};
    }

    // Hands bytes to the link as one reception.
    void Deliver(std::string_view bytes) { listener->OnReception(bytes); }

    PortListener* listener = nullptr;
    QString name;
    bool open = false;
    int opens = 0;
    int closes = 0;
    int discards = 0;
    QString openError;     // Open() fails with this text when set
    QString openHint;      // and this hint
    int failWriteNumber = 0; // the n-th write (from 1) fails with writeError
    QString writeError = QStringLiteral("WriteFile function failed (win error code: 5)");
    std::vector<std::string> writes;
};

class FakeHooks : public LinkHooks {
public:
    explicit FakeHooks(const FakeControls& watchedControls)
        : controls(watchedControls)
    {
    }
    bool UserNumbersPass() override { return numbersPass; }
    void StoreControls() override { ++stores; }
    void LoadControls() override { ++loads; }
    void ShowError(const QString& text, const QString& hint) override
    {
        errors << text;
        hints << hint;
        idleWhenErrorShown = controls.Idle();
    }
    void ShowLinkLost(const QString& text, const QString& hint) override
    {
        lostTexts << text;
        lostHints << hint;
    }
    void RunEnded(RunEnd end, const QString& text) override
    {
        ends.push_back(end);
        endTexts << text;
    }

    const FakeControls& controls;
    bool numbersPass = true;
    int stores = 0;
    int loads = 0;
    QStringList errors;
    QStringList hints;
    QStringList lostTexts;
    QStringList lostHints;
    bool idleWhenErrorShown = false;
    std::vector<RunEnd> ends;
    QStringList endTexts;
};

} // namespace morvel::testing

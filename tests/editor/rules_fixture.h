#pragma once

#include "editor/message_boxes.h"
#include "widgets/control_lookup.h"

#include <QString>
#include <QWidget>

#include <memory>
#include <stdexcept>
#include <vector>

namespace morvel::test {

// Records the boxes instead of showing them, and where the focus stood while each was open.
class RecordingBoxes final : public MessageBoxes {
public:
    struct Shown {
        QString caption;
        QString text;
    };
    void Show(QWidget*, const QString& caption, const QString& text, const QString& = {}) override
    {
        shown.push_back({caption, text});
    }
    std::vector<Shown> shown;
};

// A small stand-in for the main window: every control the rules, interlocks and binding touch,
// with its name, kind, range and limit, in the window's focus order, but no layout to speak of.
class ControlTree {
public:
    ControlTree();
    ~ControlTree();

    QWidget& window() { return *window_; }

    template <typename Control>
    Control& Get(const QString& name)
    {
        Control* control = FindControl<Control>(*window_, name);
        if (!control)
            throw std::logic_error("no control " + name.toStdString());
        return *control;
    }

    // Binds the interlocks and the entry rules (with recording boxes) and fills the presets.
    void WireUp();
    // Shows the window and makes it active, which focus changes need.
    bool ShowActive();

    RecordingBoxes boxes;

private:
    std::unique_ptr<QWidget> window_;
};

} // namespace morvel::test

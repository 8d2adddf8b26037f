#pragma once

#include <QString>

class QWidget;

namespace morvel {

// Every modal message the window shows goes through this interface, so that widget tests can
// record the messages instead of blocking on a modal box.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A modal box with one OK button. `detail`, when not empty, is shown under the text.
    virtual void Show(QWidget* parent, const QString& caption, const QString& text,
                      const QString& detail = {}) = 0;
};

// The real boxes of the running program.
class ModalMessageBoxes final : public MessageBoxes {
public:
    void Show(QWidget* parent, const QString& caption, const QString& text,
              const QString& detail = {}) override;
};

} // namespace morvel

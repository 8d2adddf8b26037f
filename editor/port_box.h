#pragma once

#include "link/port_descriptions.h"

#include <QComboBox>

namespace morvel {

// The port box CBcom: an editable combo box of port names. Each entry shows the adapter's
// description, maker and serial number beside its name (and as its tool tip); the box's text,
// which a run opens, stays the bare name. The list is read again each time the drop-down
// opens, so an adapter plugged in after start-up appears; what the box holds is kept.
class PortBox final : public QComboBox {
    Q_OBJECT
public:
    PortBox(PortLister listPorts, QWidget* parent = nullptr);

    // Start-up: the sorted ports, the first one selected; without ports the box is empty.
    void FillAndSelectFirst();
    // The ports as they are now, keeping the text the box holds (a typed path stays).
    void Refresh();

    void showPopup() override;

private:
    void AddPorts();

    PortLister listPorts_;
};

} // namespace morvel

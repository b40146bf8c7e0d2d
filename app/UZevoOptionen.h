#pragma once

#include "settings.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

// The options dialog. Its controls are the one store of the six settings;
// readers ask through the Settings interface at the moment they need a value.
class TOptionenFormular : public QDialog, public Settings {
    Q_OBJECT
public:
    explicit TOptionenFormular(QWidget* parent = nullptr);

    // What a change of a protocol setting and of the marking option calls.
    void setClearProtocol(std::function<void()> clearProtocol);
    void setSetMarkChanges(std::function<void(bool)> setMarkChanges);

    bool confirmExit() const override;
    bool markChangedRegisters() const override;
    bool highlightCurrentLine() const override;
    ProtocolKind protocolKind() const override;
    int protocolLastRegister() const override;
    ProtocolSpacing protocolSpacing() const override;

private:
    std::function<void()> m_clearProtocol;
    std::function<void(bool)> m_setMarkChanges;
    PlainSettings m_values; // placeholder until the controls exist
};

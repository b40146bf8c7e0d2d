#pragma once

#include "settings.h"

#include <QDialog>
#include <functional>

class Dialogs;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;
class RadioGroup;
class UpDownArrows;

// The options dialog. Its controls are the one store of the six settings;
// readers ask through the Settings interface at the moment they need a value.
// Non-modal; hidden and shown again with every state kept, never stored.
class TOptionenFormular : public QDialog, public Settings {
    Q_OBJECT
public:
    explicit TOptionenFormular(QWidget* parent = nullptr);

    // What a change of a protocol setting and of the marking option calls.
    void setClearProtocol(std::function<void()> clearProtocol);
    void setSetMarkChanges(std::function<void(bool)> setMarkChanges);
    // Where a failure inside a handler is shown.
    void setDialogs(Dialogs* dialogs);

    bool confirmExit() const override;
    bool markChangedRegisters() const override;
    bool highlightCurrentLine() const override;
    ProtocolKind protocolKind() const override;
    int protocolLastRegister() const override;
    ProtocolSpacing protocolSpacing() const override;

    QTabWidget* OptionenPageControl = nullptr;
    QWidget* OptionenTabSheet = nullptr;
    QWidget* ProtokollTabSheet = nullptr;
    QCheckBox* SicherheitsabfrageCheckBox = nullptr;
    RadioGroup* ProtokollartRadioGroup = nullptr;
    QGroupBox* AnzahlGroupBox = nullptr;
    QLabel* AnzRegLabel = nullptr;
    UpDownArrows* UpDown = nullptr;
    QPushButton* OKButton = nullptr;
    RadioGroup* AbstandRadioGroup = nullptr;
    QCheckBox* RegistermarkierenCheckBox = nullptr;
    QCheckBox* ProgrammzeilemarkierenCheckBox = nullptr;

public slots:
    void OKButtonClick();
    void UpDownClick();
    void ProtokollartRadioGroupClick();
    void AbstandRadioGroupClick();
    void RegistermarkierenCheckBoxClick();

private:
    void createControls();
    void placeControls();
    void clearProtocol();
    // Runs a handler's work at the command guard. The main window hands in the
    // dialogs together with the callbacks, so without them there is nothing to fail.
    void guarded(const std::function<void()>& work);

    std::function<void()> m_clearProtocol;
    std::function<void(bool)> m_setMarkChanges;
    Dialogs* m_dialogs = nullptr;
};

// Shows one of the program's dialogs or a window of its controls, for looking
// at them on a real display: controls_demo confirm | notice | error | controls
#include "services/program_record.h"
#include "support/html_color.h"
#include "support/my_check_box.h"
#include "support/my_label.h"
#include "support/my_radio_button.h"
#include "support/qt_messages.h"

#include <QApplication>
#include <QWidget>

#include <cstring>
#include <string>

namespace {

void AddLabel(QWidget& window, int top, const std::string& caption, bool shadow = false)
{
    auto* label = new TMyLabel(&window, caption);
    label->move(12, top);
    label->SetSchatten(shadow);
    label->SetAutosize(true);
}

int ShowControls(QApplication& application)
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tapsody"));
    window.resize(520, 330);
    AddLabel(window, 10,
             "Normal, \xB0(colfett fett \xB0(col-fett und \xB0(colkursiv kursiv \xB0(col-kursiv "
             "\xB0(colrot rot \xB0(col- \xB0(colblau blau \xB0(col-");
    AddLabel(window, 34, "Formel: x\xB0^2 + y\xB0,1 \xB0(>= \xB0(alpha \xB0(pi \xB0(sum \xB0.v heute \xB0(date");
    AddLabel(window, 58, "Mit Schatten \xB0(colfett gezeichnet", true);

    auto* link = new TMyLabel(&window, "Mehr Informationen");
    link->move(12, 84);
    link->SetAutosize(true);
    QObject::connect(link, &TMyLabel::clicked, [] {});

    auto* wrapped = new TMyLabel(&window, "Ein langer Text bricht an den Wortgrenzen um, damit er in die Breite "
                                          "des Feldes passt.\r\nEine neue Zeile beginnt nach CR LF.");
    wrapped->setGeometry(12, 108, 240, 80);

    auto* disabled = new TMyLabel(&window, "Nicht verf\xFC"
                                           "gbar");
    disabled->move(280, 108);
    disabled->SetAutosize(true);
    disabled->setEnabled(false);

    auto* checked = new TMyCheckBox(&window, "Peep bei Tastendruck");
    checked->move(12, 200);
    checked->SetChecked(true);
    auto* grayed = new TMyCheckBox(&window, "Fragen vor beenden");
    grayed->SetAllowGrayed(true);
    grayed->SetState(csGrayed);
    grayed->move(12, 224);
    auto* radio = new TMyRadioButton(&window, "Deutsch");
    radio->move(280, 200);
    radio->setChecked(true);
    auto* english = new TMyRadioButton(&window, "English");
    english->move(280, 224);
    auto* colours = new THTMLcolor(&window);
    colours->move(12, 260);

    window.show();
    return application.exec();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ProgInfo.Title = "Tapsody 1.7";
    const char* mode = argc > 1 ? argv[1] : "controls";
    if (std::strcmp(mode, "confirm") == 0)
        return ShowMessageDialog("Programm beenden?", mtConfirmation, mbYes | mbNo);
    if (std::strcmp(mode, "error") == 0)
        return ShowMessageDialog("Konnte das Verzeichnis /home/gast/Tapsody nicht anlegen", mtError,
                                 mbRetry | mbAbort | mbIgnore);
    if (std::strcmp(mode, "notice") == 0) {
        std::string text;
        for (int i = 0; i < 12; ++i)
            text += "Die Tastatur schreibt in das Fenster, das zuletzt vorne war. ";
        ShowNotice(text + "\r\nShift, Strg und Alt bleiben gedr\xFC"
                          "ckt, bis sie erneut geklickt werden.");
        return 0;
    }
    return ShowControls(application);
}

#include "setup/setup_pages.h"

#include "services/program_record.h"
#include "support/language_list.h"
#include "support/translation.h"

namespace {

const char kCR[] = "\r";

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// The welcome text is shown as written: German, then, when the program speaks
// English too, the same in English.
std::string WelcomeText()
{
    std::string text = std::string("Dieses ist das Setup f\xFCr das Programm") + kCR + Quoted(ProgInfo.Title) + "." +
                       kCR + kCR +
                       "Durch Klicken auf \"Abbruch\" haben Sie jederzeit die M\xF6glichkeit das Setup zu beenden.";
    if (TranslationOn)
        text += std::string(kCR) + kCR + "Welcome!" + kCR + "This is the setup for " + Quoted(ProgInfo.Title) + "." +
                kCR + kCR + "At any time it is possible for you to exit setup by pressing the \"Cancel\" button." +
                kCR + "Please choose the button \"English\" to continue.";
    return text;
}

std::string FinishedText()
{
    return TranslateProgramText("Weitere Informationen finden Sie auf unserer Homepage:") + " " + ProgInfo.Byline +
           kCR + kCR +
           TranslateProgramText("Wir m\xF6"
                                "chten uns gerne schon jetzt f\xFCr Ihr Interesse bedanken.") +
           kCR + kCR +
           TranslateProgramText("W\xE4hlen Sie \"Ende\", um das Setup zu beenden und das Programm \"%s\" zu starten.|" +
                                ProgInfo.Title);
}

void FillPage(SetupPageContent& content, int page)
{
    switch (page) {
    case WelcomePage:
        content.heading = "Willkommen!";
        content.mask = TranslationOn ? 7 : 3;
        content.text = WelcomeText();
        content.focus = SetupFocus::Forward;
        break;
    case LicencePage:
        content.heading = TranslateProgramText("Lizenzbestimmungen");
        content.mask = 7;
        content.text = LicenceQuestion();
        content.licence = true;
        content.focus = SetupFocus::Cancel;
        break;
    case OptionsPage:
        content.heading = TranslateProgramText("Setup-Optionen");
        content.mask = 15;
        content.text = TranslateProgramText("Das Programm wird in dem folgenden Verzeichnis installiert.");
        content.optionsText =
            TranslateProgramText("Sie k\xF6nnen ein anderes Verzeichnis w\xE4hlen, wenn Sie den Durchsuchenknopf dr\xFC"
                                 "cken.") +
            std::string(7, '\r') +
            TranslateProgramText("Dr\xFC"
                                 "cken Sie den Knopf \"Weiter\", um das Programm zu installieren.");
        content.startMenuLink = TranslateProgramText("Link im Startmen\xFC erstellen");
        content.desktopLink = TranslateProgramText("Link auf dem Desktop erstellen");
        content.options = true;
        break;
    case FinishedPage:
        content.mask = 2;
        content.heading = TranslateProgramText("Installation abgeschlossen");
        content.text = FinishedText();
        break;
    case InformationPage:
        content.caption = TranslateProgramText("Informationen zu diesem Programm");
        content.heading = ProgInfo.Maker;
        content.mask = ShowForward;
        content.text = TranslateProgramText("Programmtitel") + ": " + ProgInfo.Title + kCR + kCR;
        content.information = true;
        content.focus = SetupFocus::Licence;
        break;
    default: break;
    }
}

} // namespace

std::string LicenceQuestion()
{
    return TranslateProgramText("|24");
}

SetupPageContent SetupPage(int page)
{
    SetupPageContent content;
    content.caption = ProgInfo.Maker + " - Setup  " + ProgInfo.Title;
    FillPage(content, page);
    if (page == LicencePage)
        content.forwardCaption = " " + TranslateProgramText("&Ja");
    else if (page == FinishedPage)
        content.forwardCaption = TranslateProgramText("&Ende");
    else
        content.forwardCaption = TranslateProgramText("&Weiter");
    content.cancelCaption = TranslateProgramText(page == WelcomePage || page == OptionsPage ? "&Abbruch" : "&Nein");
    content.backCaption = page == WelcomePage ? " English"
                                              : TranslateProgramText("< Zur\xFC"
                                                                     "ck");
    return content;
}

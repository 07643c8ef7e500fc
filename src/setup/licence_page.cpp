#include "setup/licence_page.h"

#include "services/text_helpers.h"

std::vector<std::string> LicencePageLines(const std::vector<std::string>& document, const std::string& pageFile,
                                          const std::string& otherPageFile)
{
    const bool german = Contains("DE", pageFile);
    std::vector<std::string> page;
    page.reserve(document.size());
    for (const std::string& line : document) {
        if (Contains("<BOD", UpperStr(line)))
            page.push_back(
                "<BODY text=\"#000000\" bgcolor=\"#FFFFFF\" link=\"#0000FF\" vlink=\"#800080\" alink=\"#FF0000\">");
        else if (Contains("index.gif", line))
            page.push_back("<P><A href=\"" + otherPageFile + "\">" + (german ? "English" : "Deutsch") + "</A></P>");
        else if (Contains("../Bild/", line))
            page.push_back(std::string("<P><A href=\"#top\">") + (german ? "Anfang" : "Top") + "</A></P>");
        else
            page.push_back(line);
    }
    return page;
}

#include "setup/licence_text.h"

#include "services/text_helpers.h"

namespace {

class LicenceMemo {
public:
    // Ends the pending paragraph with s; an empty paragraph becomes one empty
    // line, never at the start and never twice.
    void Flush(const std::string& s)
    {
        pending_ += s;
        if (!pending_.empty()) {
            lines_.push_back(pending_);
            pending_.clear();
        } else if (lines_.size() >= 2 && !lines_.back().empty()) {
            lines_.emplace_back();
        }
    }

    void Append(const std::string& s) { pending_ = pending_.empty() ? s : pending_ + " " + s; }

    std::vector<std::string> Lines() && { return std::move(lines_); }

private:
    std::vector<std::string> lines_;
    std::string pending_;
};

std::string LowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

void AddHeading(LicenceMemo& memo, const std::string& line)
{
    std::string heading = TailFrom(line, static_cast<int>(line.find('>')) + 2);
    heading = heading.substr(0, heading.find('<'));
    memo.Flush("");
    memo.Flush(heading);
    memo.Flush(RepeatStr("-", static_cast<int>(heading.size())));
}

} // namespace

std::vector<std::string> ExtractLicenceText(const std::vector<std::string>& document)
{
    LicenceMemo memo;
    int separators = 0;
    for (std::size_t i = 0; i < document.size(); ++i) {
        std::string s = document[i];
        ReplaceAll(s, "&quot;", "\"");
        const std::string t = LowerAscii(s.substr(0, 2));
        if (t == "<u" || t == "<o") {
            while (i + 1 < document.size() && document[i] != "</ul>" && document[i] != "</ol>")
                ++i;
        } else if (t == "<h") {
            AddHeading(memo, s);
        } else if (t == "<p") {
            ReplaceAll(s, "<p>", "");
            if (StartsWith(s, "---")) {
                ReplaceAll(s, "</p>", "");
                memo.Flush(s);
                if (++separators == 2)
                    break;
            } else if (!StartsWith(s, "<")) {
                memo.Append(s);
            }
        } else if (const auto end = LowerAscii(s).find("</p>"); end != std::string::npos) {
            if (s.find("</") > 0)
                memo.Append(s.substr(0, LowerAscii(s).find("</p")));
            memo.Flush("");
        } else if (!StartsWith(s, "<")) {
            memo.Append(s);
        }
    }
    return std::move(memo).Lines();
}

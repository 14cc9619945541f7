#include "Language.h"

#include <iterator>

#include "Cp1252.h"
#include "TextLines.h"

namespace quimba {

const std::vector<CaptionTarget>& CaptionLoadOrder() {
    static const std::vector<CaptionTarget> order = [] {
        std::vector<CaptionTarget> t;
        static const char* const helpLabels[16] = {
            "Label1", "Label2",  "Label3",  "Label4",  "Label5",  "Label6",  "Label7",  "Label8",
            "Label9", "Label10", "Label11", "Label12", "Label13", "Label14", "Label15", "Label16"};
        for (int i = 0; i < 16; ++i) t.push_back({1 + i, Window::Help, helpLabels[i]});
        t.push_back({17, Window::Help, "glassbtn2"});
        t.push_back({18, Window::Help, "caption"});
        static const char* const sheetLabels[17] = {
            "Label25", "Label6",  "Label7",  "Label8",  "Label9",  "Label10", "Label11", "Label13", "Label12",
            "Label14", "Label15", "Label20", "Label18", "Label17", "Label19", "Label16", "Label21"};
        for (int i = 0; i < 17; ++i) t.push_back({19 + i, Window::Main, sheetLabels[i]});
        t.push_back({46, Window::Setup, "Label6"});
        t.push_back({47, Window::Setup, "Label1"});
        t.push_back({48, Window::Setup, "Label2"});
        t.push_back({49, Window::Setup, "Label3"});
        t.push_back({50, Window::Setup, "Label4"});
        t.push_back({51, Window::Setup, "Label8"});
        for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5"})
            t.push_back({52, Window::Setup, box});
        t.push_back({53, Window::Setup, "GroupBox1"});
        t.push_back({54, Window::Setup, "RadioButton1"});
        t.push_back({55, Window::Setup, "RadioButton2"});
        t.push_back({56, Window::Setup, "RadioButton3"});
        t.push_back({58, Window::Setup, "caption"});
        t.push_back({89, Window::BestScores, "caption"});
        t.push_back({90, Window::BestScores, "GlassButton1"});
        t.push_back({75, Window::BestScores, "glassbtn2"});
        t.push_back({89, Window::Main, "Label22"});
        return t;
    }();
    return order;
}

const std::vector<CaptionTarget>& AddedCaptions() {
    static const std::vector<CaptionTarget> captions{
        {kLineNiveau, Window::Setup, "GroupBox2"},
        {kLineClassique, Window::Setup, "RadioButton4"},
        {kLineExpert, Window::Setup, "RadioButton5"},
    };
    return captions;
}

const std::string& BuiltInLine(int n) {
    static const std::string kEmpty;
    static const std::string kLines[] = {
        "Conseil :",
        "garder",
        "relancer",
        "tout relancer",
        "espérance",
        "écrire en",
        "ligne",
        "partie hors meilleurs scores",
        "Conseil : stratégie en préparation, réessayez dans un instant",
        "maintenant",
        "de moins que le meilleur choix",
        "meilleur choix",
        "Niveau de l'ordinateur",
        "Classique",
        "Expert",
        "Au clavier : 1 à 5 gardent ou relâchent les dés, Espace ou Entrée lance,",
        "les flèches haut et bas parcourent votre colonne, Entrée y inscrit la ligne",
        "choisie et Echap cache le curseur. Ctrl+N nouvelle partie, F1 aide,",
        "Ctrl+S meilleurs scores, Ctrl+Q quitter, Echap ferme une fenêtre.",
    };
    static_assert(std::size(kLines) == kLastAddedLine - kFirstAddedLine + 1);
    if (n < kFirstAddedLine || n > kLastAddedLine) return kEmpty;
    return kLines[n - kFirstAddedLine];
}

LanguageLoad ParseLanguage(const std::string& bytes) {
    LanguageLoad result;
    for (const std::string& line : SplitLines(bytes)) result.lines.push_back(Cp1252ToUtf8(line));
    const int count = static_cast<int>(result.lines.size());
    for (const CaptionTarget& target : CaptionLoadOrder()) {
        if (target.line >= count) {
            result.error = "List index out of bounds (" + std::to_string(target.line) + ")";
            return result;
        }
    }
    result.ok = true;
    return result;
}


LanguageLoad LoadLanguageFile(const std::string& path) {
    std::string bytes;
    std::string reason;
    if (!ReadFileBytes(path, bytes, reason)) {
        LanguageLoad result;
        result.error = "Cannot open file \"" + path + "\". " + reason;
        return result;
    }
    return ParseLanguage(bytes);
}

}  // namespace quimba

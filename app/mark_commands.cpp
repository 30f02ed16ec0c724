#include "app/mark_commands.h"

#include "app/command_table.h"
#include "app/main_window.h"
#include "edit/mark_commands.h"

namespace shinofu::app {

void bindMarkCommands(MainWindow& window, Session& session) {
    const std::string staff = "五線譜設定&S";
    // Each command redraws when it added something; the changed score drops its performance list.
    auto command = [&window](std::function<bool()> add) {
        return [&window, add = std::move(add)] {
            if (add()) window.redraw();
        };
    };

    const std::pair<std::vector<std::string>, model::SymbolKind> signs[] = {
        {{"終止線"}, model::kStop},           {{"括弧", "括弧1"}, model::kFirstEnding}, {{"括弧", "括弧2"}, model::kSecondEnding},
        {{"D.S."}, model::kDalSegno},       {{"セーニョ"}, model::kSegno},          {{"Fine"}, model::kFine},
        {{"D.C."}, model::kDaCapo},         {{"Coda"}, model::kCoda},               {{"to Coda"}, model::kToCoda},
        {{"リピート( :|| )"}, model::kRepeatRight}, {{"リピート( ||: )"}, model::kRepeatLeft},
    };
    for (const auto& [path, kind] : signs) {
        std::vector<std::string> full{staff, "終止線/反復記号&S"};
        full.insert(full.end(), path.begin(), path.end());
        window.bind(commandPath(full), command([&session, kind = kind] {
                        return edit::addMeasureSign(session.score, session.view, session.edit, kind);
                    }));
    }

    const std::tuple<const char*, const char*, int> dynamics[] = {
        {"ｐ", "ｐｐｐ", 1}, {"ｐ", "ｐｐ", 2}, {"ｐ", "ｐ", 3}, {"ｐ", "ｍｐ", 4},
        {"ｆ", "ｍｆ", 5},   {"ｆ", "ｆ", 6},   {"ｆ", "ｆｆ", 7}, {"ｆ", "ｆｆｆ", 8},
    };
    for (const auto& [group, caption, code] : dynamics) {
        window.bind(commandPath({staff, "強弱記号", group, caption}), command([&session, code = code] {
                        return edit::addDynamics(session.score, session.view, session.edit, code);
                    }));
    }

    const std::tuple<const char*, const char*, model::HairpinRole> hairpins[] = {
        {"クレッシェンド", "開始", model::kCrescendoStart},
        {"クレッシェンド", "終了", model::kCrescendoEnd},
        {"デクレッシェンド", "開始", model::kDecrescendoStart},
        {"デクレッシェンド", "終了", model::kDecrescendoEnd},
    };
    for (const auto& [group, caption, role] : hairpins) {
        window.bind(commandPath({staff, "cres/decres &C", group, caption}), command([&session, role = role] {
                        return edit::addHairpin(session.score, session.view, session.edit, role);
                    }));
    }

    const std::pair<const char*, edit::MarkKind> marks[] = {{"ブレス&B", edit::MarkKind::Breath},
                                                            {"フェルマータ", edit::MarkKind::Fermata},
                                                            {"rit", edit::MarkKind::Rit},
                                                            {"a tempo", edit::MarkKind::ATempo},
                                                            {"その他", edit::MarkKind::Other}};
    for (const auto& [caption, kind] : marks) {
        window.bind(commandPath({staff, "その他記号&E", caption}), command([&session, kind = kind] {
                        return edit::addMark(session.score, session.view, session.edit, kind);
                    }));
    }
}

}  // namespace shinofu::app

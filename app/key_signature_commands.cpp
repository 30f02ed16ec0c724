#include "app/key_signature_commands.h"

#include "app/command_table.h"
#include "app/main_window.h"
#include "edit/selection.h"
#include "edit/transposition.h"

namespace shinofu::app {

void bindKeySignatureCommands(MainWindow& window, Session& session) {
    const std::string staff = "五線譜設定&S";
    const char* const sharps[] = {"0（ハ長調／イ短調）", "1（ト長調／ホ短調）", "2（ニ長調／ロ短調）", "3（イ長調／嬰ヘ短調）",
                                  "4（ホ長調／嬰ハ短調）", "5（ロ長調／嬰ト短調）", "6（嬰ヘ長調／嬰ニ短調）", "7（嬰ハ長調／嬰イ短調）"};
    const char* const flats[] = {"０（ハ長調／イ短調）", "１（ヘ長調／ニ短調）", "２（変ロ長調／ト短調）", "３（変ホ長調／ハ短調）",
                                 "４（変イ長調／ヘ短調）", "５（変ニ長調／変ロ短調）", "６（変ト長調／変ホ短調）", "７（変ハ長調／変イ短調）"};
    auto setKey = [&window, &session](int keySig) {
        return [&window, &session, keySig] {
            edit::setKeySignature(session.score, keySig);
            edit::markChanged(session.score);
            window.redraw();
        };
    };
    for (int count = 0; count <= 7; ++count) {
        window.bind(commandPath({staff, "調子（＃の数）", sharps[count]}), setKey(count));
        window.bind(commandPath({staff, "調子（♭の数）", flats[count]}), setKey(count == 0 ? 0 : count + 7));
    }
    const std::pair<const char*, int> steps[] = {{"+&7(+#/-♭)", 7}, {"+6", 6},  {"+&5(-#/+♭)", 5}, {"+4", 4},  {"+3", 3},
                                                 {"+2", 2},          {"+1", 1},  {"-1", -1},        {"-2", -2}, {"-3", -3},
                                                 {"-4", -4},         {"-5(+&#/-♭)", -5}, {"-6", -6}, {"&-7(-#/+♭)", -7}};
    for (const auto& [caption, step] : steps) {
        window.bind(commandPath({"オプション(&O)", "移調", caption}), [&window, &session, step = step] {
            if (session.transpose(step)) window.redraw();
        });
    }
    for (const auto& [caption, up] : {std::pair{"1オクターブ上へ", true}, std::pair{"1オクターブ下へ", false}}) {
        window.bind(commandPath({staff, "オクターブ変更", caption}), [&window, &session, up = up] {
            if (!edit::shiftPartOctave(session.score, session.score.curPart, up)) return;
            edit::markChanged(session.score);
            window.redraw();
        });
    }
}

}  // namespace shinofu::app

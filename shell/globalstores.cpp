#include "globalstores.h"

namespace {

ConfigDefaults makePreferenceDefaults()
{
    const char *const table[][2] = {
        {"str_user", ""},
        {"str_pwd", ""},
        {"rem_pwd", "False"},
        {"auto_login", "False"},
        {"display_tips", "True"},
        {"goto_next", "True"},
        {"use_ctrl", "False"},
        {"hk_check_enabled", "True"},
        {"hk_check_key", "ctrl|alt|C"},
        {"hk_correct_all_enabled", "True"},
        {"hk_correct_all_key", "ctrl|alt|A"},
        {"hk_copy_enabled", "True"},
        {"hk_copy_key", "ctrl|alt|V"},
        {"hk_clear_enabled", "True"},
        {"hk_clear_key", "ctrl|alt|X"},
        {"hk_improve_key", "ctrl|alt|E"},
        {"hk_improve_enabled", "True"},
        {"hk_improve_all_key", "ctrl|alt|Q"},
        {"hk_improve_all_enabled", "True"},
        {"show_close_tip", "True"},
        {"click_close_level", "2"},
        {"display_text_font", "Arial"},
        {"display_text_font_size", "13"},
        {"display_text_color", "#000000"},
        {"display_background_enabled", "False"},
        {"display_background_color", "#AAFFFF"},
        {"display_highlight_enabled", "True"},
        {"display_highlight_color", "#8000B6"},
        {"enlish_level", "2"},
        {"display_spelling_enabled", "True"},
        {"display_spelling_color", "#FF0000"},
        {"display_grammar_enabled", "True"},
        {"display_grammar_color", "#0055FF"},
        {"display_style_enabled", "True"},
        {"display_style_color", "#FFC800"},
        {"display_suggestion_enabled", "True"},
        {"display_suggestion_color", "#32CD32"},
        {"show_report", "True"},
        {"is_crash", "False"},
        {"enrichment_level", "2"},
        {"display_enrichment_enabled", "True"},
        {"display_enrichment_color", "#FF6600"},
        {"proxy_type", "0"},
        {"proxy_host", ""},
        {"proxy_port", ""},
        {"proxy_user", ""},
        {"proxy_pwd", ""},
        {"proxy_domain", ""},
        {"update_type", "1"},
        {"show_hint", "False"},
        {"export_open_document", "True"},
        {"IsMaxmized", "False"},
        {"Left", "-1"},
        {"Top", "0"},
        {"Width", "850"},
        {"Height", "640"},
        {"CorrectionPanel", "1"},
        {"Setting_Index", "0"},
        {"Dict_Height", "250"},
        {"Dict_Lock", "0"},
        {"Dict_Double", "False"},
        {"Save_Filter", "0"},
        {"Improve_mode", "False"},
        {"Dict_Search_Google", "True"},
        {"Menu_Fold", "False"},
        {"Left_Side_Visible", "True"},
    };
    ConfigDefaults defaults;
    for (const auto &row : table)
        defaults.append({QString::fromLatin1(row[0]), QString::fromLatin1(row[1])});
    return defaults;
}

ConfigDefaults makePromptTipDefaults()
{
    const char *const keys[] = {
        "PT_Input",       "PT_Check",           "PT_Improve",
        "PT_RightClick",  "PT_RightClickImprove", "PT_CopyAll",
        "PT_ImproveMode", "PT_CorrectMode",     "PT_Report",
        "PT_DictDouble",  "PT_Writing_Keyword", "PT_Writing_Next",
        "PT_Writing_Replace_Block", "PT_Writing_Common_Sentence",
    };
    ConfigDefaults defaults;
    for (const char *key : keys)
        defaults.append({QString::fromLatin1(key), QStringLiteral("False")});
    return defaults;
}

// Both stores in one object, so that their order of creation is fixed.
struct GlobalStores
{
    GlobalStores()
        : preference(QString(), PreferenceFileName)
        , promptTip(QString(), PromptTipFileName)
    {
        mergeDefaults(preference, preferenceDefaults());
        mergeDefaults(promptTip, promptTipDefaults());
    }

    ConfigStore preference;
    ConfigStore promptTip;
};

GlobalStores &globalStores()
{
    static GlobalStores stores;
    return stores;
}

} // namespace

const ConfigDefaults &preferenceDefaults()
{
    static const ConfigDefaults defaults = makePreferenceDefaults();
    return defaults;
}

const ConfigDefaults &promptTipDefaults()
{
    static const ConfigDefaults defaults = makePromptTipDefaults();
    return defaults;
}

void mergeDefaults(ConfigStore &store, const ConfigDefaults &defaults)
{
    for (const auto &[key, defaultValue] : defaults) {
        if (!store.contains(key))
            store.setValue(key, defaultValue);
    }
}

ConfigStore &preferenceStore()
{
    return globalStores().preference;
}

ConfigStore &promptTipStore()
{
    return globalStores().promptTip;
}

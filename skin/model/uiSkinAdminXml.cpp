// The skin administrator's two passes over one XML entry (GDI tables first, then styles, commands,
// message-box settings and control classes) and the control-class tables.
#include "uiSkinAdmin.h"

#include "uiCommand.h"
#include "uiDrawRoutines.h"
#include "uiGdiAdmin.h"
#include "uiLogFile.h"
#include "uiMsgBoxSettings.h"
#include "uiSkinError.h"
#include "uiStyle.h"
#include "uiXmlReader.h"

namespace {

const DWORD kLogSizeLimit = 40960;

struct ClassCode {
    const wchar_t* name;
    int code;
};

const ClassCode kDefaultClasses[] = {
    {L"button", 103}, {L"static", 106}, {L"edit", 107}, {L"msctls_trackbar32", 115},
    {L"msctls_updown32", 116}, {L"msctls_progress32", 119}, {L"sysheader32", 112}, {L"syslistview32", 109},
    {L"sysdatetimepick32", 126}, {L"systreeview32", 121}, {L"richedit20a", 124}, {L"richrdit20w", 124},
    {L"combobox", 110}, {L"scrollbar", 114}, {L"toolbarwindow32", 122}, {L"listbox", 108},
    {L"systabcontrol32", 117},
};

const ClassCode kClassKeywords[] = {
    {L"button", 103}, {L"checkbox", 104}, {L"radiobutton", 105}, {L"static", 106}, {L"edit", 107},
    {L"sliderctrl", 115}, {L"spinctrl", 116}, {L"header", 112}, {L"listctrl", 109}, {L"treectrl", 121},
    {L"combobox", 110}, {L"progressctrl", 119}, {L"listbox", 108}, {L"scrollbar", 114}, {L"toolbar", 122},
    {L"richedit", 124}, {L"sysdatetimepick32", 126},
};

int ControlKeywordCode(const CString& keyword)
{
    for (const ClassCode& entry : kClassKeywords)
        if (keyword.CompareNoCase(entry.name) == 0)
            return entry.code;
    return -1;
}

// Calls f for every child element named child of every element named section below theme.
template <typename F>
void ForEachChild(const TiXmlElement* theme, const char* section, const char* child, F f)
{
    for (const TiXmlElement* list = theme->FirstChildElement(section); list; list = list->NextSiblingElement(section))
        for (const TiXmlElement* item = list->FirstChildElement(child); item; item = item->NextSiblingElement(child))
            f(item);
}

} // namespace

void uiSkinAdmin::SetDefaultControlClasses()
{
    m_controlClasses.clear();
    for (const ClassCode& entry : kDefaultClasses)
        m_controlClasses[entry.name] = entry.code;
}

const TiXmlElement* uiSkinAdmin::FindManifest(const TiXmlDocument& document, bool report)
{
    const TiXmlElement* theme = document.FirstChildElement("theme");
    if (theme && theme->FirstChildElement("manifest"))
        return theme;
    uiSetSkinError(UI_ERROR_XML_PARSE);
    if (report)
        uiLogReport(UI_LOG_ERROR, L" XML parse failed. [%s]", m_sourceName.GetString());
    return nullptr;
}

bool uiSkinAdmin::GdiPass(const TiXmlDocument& document, bool parsed)
{
    // Text that does not parse is the style pass's to report.
    if (!parsed)
        return true;
    const TiXmlElement* theme = FindManifest(document, true);
    if (!theme)
        return false;
    const TiXmlElement* manifest = theme->FirstChildElement("manifest");
    m_skinFolder = uiXmlAttributeW(manifest, "folder");
    OpenLog(manifest);
    uiGdiAdmin& gdi = uiGetGdiAdmin();
    gdi.SetSourceMode(m_sourceMode);
    if (!gdi.LoadGdiXml(theme, m_basePath, m_skinFolder, m_sourceName)) {
        uiSetSkinError(UI_ERROR_XML_PARSE);
        uiLogReport(UI_LOG_ERROR, L" XML parse failed. [%s]", m_sourceName.GetString());
        return false;
    }
    return true;
}

void uiSkinAdmin::OpenLog(const TiXmlElement* manifest)
{
    if (!uiXmlGetBool(manifest, "log", 0))
        return;
    int level = uiXmlGetInt(manifest, "loglevel", -1);
    if (level == -1)
        level = UI_LOG_ERROR;
    uiLogFile& log = uiLogFile::Instance();
    log.Open(uiGetModuleFolder(), kLogSizeLimit);
    log.SetLevel(level);
}

bool uiSkinAdmin::StylePass(const TiXmlDocument& document, bool parsed)
{
    if (!parsed)
        return false;
    const TiXmlElement* theme = FindManifest(document, false);
    if (!theme)
        return false;
    m_skinFolder = uiXmlAttributeW(theme->FirstChildElement("manifest"), "folder");
    ReadStyles(theme);
    if (const TiXmlElement* messagebox = theme->FirstChildElement("messagebox"))
        uiMsgBoxSettings::Instance().LoadXml(messagebox);
    ReadCommands(theme);
    ReadControlClasses(theme);
    return true;
}

// Styles enter the map one by one, so a window element can inherit from any style defined before it.
void uiSkinAdmin::ReadStyles(const TiXmlElement* theme)
{
    ForEachChild(theme, "uiwindow", "window", [this](const TiXmlElement* window) {
        std::unique_ptr<uiStyle> style(uiStyle::CreateFromXml(window));
        if (style)
            m_styles.try_emplace(style->name, std::move(style)); // a duplicate name is released here
    });
}

void uiSkinAdmin::ReadCommands(const TiXmlElement* theme)
{
    ForEachChild(theme, "uicommand", "command", [this](const TiXmlElement* element) {
        std::unique_ptr<uiCommand> command(uiCommand::CreateFromXml(element));
        if (command)
            m_commands.try_emplace(command->GetCode(), std::move(command));
    });
}

void uiSkinAdmin::ReadControlClasses(const TiXmlElement* theme)
{
    ForEachChild(theme, "uicontrolclass", "CtrlClass", [this](const TiXmlElement* element) {
        const CString name = uiXmlAttributeW(element, "name");
        const CString type = uiXmlAttributeW(element, "type");
        if (name.IsEmpty() || type.IsEmpty())
            return;
        const int code = ControlKeywordCode(type);
        if (code != -1)
            m_controlClasses[name] = code;
    });
}

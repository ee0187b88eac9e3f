// Damaged style documents: at least 10,000 window elements made from a seed that holds every element
// of the schema, by replacing attribute values with hostile ones, dropping, duplicating and moving
// elements, and damaging the text itself. Each one that still parses is read into a style, copied,
// laid out against ordinary, empty and extreme rectangles, painted for every state into a memory DC
// and recoloured. The test passes when nothing crashes or hangs. Each text is read from the edge of a
// no-access page, so that a read past its end crashes. The random source has a fixed seed.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "MutationInput.h"
#include "SkinTestSupport.h"
#include "StyleTestSupport.h"
#include "uiDisplayEventItem.h"
#include "uiDrawObj.h"
#include "uiSkinAdmin.h"
#include "uiXmlReader.h"

namespace {

const int kDocuments = 10000;

const char kSeed[] =
    "<window name=\"seed\" inherit=\"parent\">"
    "<property bselfpaint=\"true\" clipcolor=\"#ff00ff\" bkcolor=\"rgb(1,2,3)\" tooltips=\"#default\" cursor=\"hand\" "
    "scrollbar=\"sb\" headerctrl=\"h\" width=\"100\" height=\"40\" btransparentbk=\"true\"/>"
    "<dialoginfo bordertop=\"1\" captionheight=\"30\" clientstarty=\"31\" iconrect=\"1,2,3,4\" clientareaborder=\"1,1,1,1\"/>"
    "<buttoninfo subtype=\"split\" splitwidth=\"-20\" drawfocus=\"true\"/>"
    "<editinfo buseimagebk=\"true\" marginleft=\"2\" textcolor=\"#000000\" font=\"f\"/>"
    "<scrollinfo width=\"18\" height=\"18\" interval=\"3\" splitwidth=\"3\"/>"
    "<progressinfo leftpad=\"1\" toppad=\"2\"/><groupboxinfo textoffsetx=\"5\"/>"
    "<menuinfo height=\"20\" font=\"m\" multibg=\"true\"/><comboboxinfo editmargin=\"3,3,20,3\" downliststyle=\"dl\"/>"
    "<tabctrlinfo marginleft=\"2\" spinsize=\"10,10\"><drawitem id=\"tab\"><image id=\"tabbk\" picfile=\"@IMAGE@\"/>"
    "<text id=\"tt\" relativeto=\"tabbk\" relativepoint=\"right\"/><eventitem id=\"tx\" relativeto=\"tabbk\" "
    "relativepoint=\"right\" left=\"2\"/></drawitem></tabctrlinfo>"
    "<listboxinfo bDrawOver=\"true\"><drawitem id=\"row\"><rect id=\"rr\" fillcolor=\"#123456\"/>"
    "<progressitem id=\"pi\" value=\"50\" textformat=\"%p\"><image id=\"progress.bk\" picfile=\"@IMAGE@\"/><rect id=\"progress.step\" "
    "fillcolor=\"#00ff00\"/><text id=\"progress.text\" content=\"x\"/></progressitem></drawitem></listboxinfo>"
    "<treectrlinfo itemheight=\"20\" levelpos=\"10\"><drawitem id=\"node\"><image id=\"expandicon\" picfile=\"@IMAGE@\"/>"
    "<image id=\"collapseicon\"/></drawitem></treectrlinfo>"
    "<listctrlinfo itemheight=\"22\"><drawitem id=\"item\"><line id=\"ll\"/></drawitem></listctrlinfo>"
    "<windowregion type=\"shapes\"><shape type=\"roundrect\" roundsize=\"4,4\" combine=\"or\" left=\"0\" top=\"0\"/>"
    "</windowregion><sysmenu><sysbtn name=\"close\" label=\"x\" left=\"-20\" top=\"2\" width=\"16\" height=\"16\"/></sysmenu>"
    "<image id=\"bk\" picfile=\"@IMAGE@\" paintmode=\"tilefill\" left=\"0\" top=\"0\" rectinfile=\"0,0,4,4\" state=\"all\"/>"
    "<image id=\"btn\" picfile=\"@IMAGE@\" paintmode=\"4in\" left_part=\"2\" right_part=\"2\" index=\"1\"/>"
    "<image id=\"grid\" picfile=\"@IMAGE@\" paintmode=\"stretchpartall\" left_part=\"3\" top_part=\"3\" right_part=\"3\" bottom_part=\"3\"/>"
    "<text id=\"caption\" content=\"&lt;b&gt;bold&lt;/b&gt; text\" richtext=\"true\" left=\"4\" top=\"4\" "
    "relativeto=\"bk\" relativepoint=\"right\" autosize=\"true\" font=\"f\" textcolor=\"#ffffff\"/>"
    "<text id=\"title\" horzalign=\"center\" vertalign=\"bottom\" bsingleline=\"true\" bellipsis=\"true\" index=\"2\"/>"
    "<rect id=\"frame\" bordercolor=\"#000000\" fillcolor=\"#eeeeee\" roundwidth=\"4\" roundheight=\"4\" borderwidth=\"2\" "
    "style=\"hole\" left=\"-30\" width=\"20\"/>"
    "<rect id=\"grad\" gradientmode=\"vert\" gradientbegincolor=\"#ff0000\" gradientendcolor=\"#0000ff\" right=\"-1\"/>"
    "<line id=\"sep\" linecolor=\"#808080\" penwidth=\"2\" alignmode=\"vert\" linestyle=\"dashdot\" top=\"-1\"/>"
    "<line id=\"gl\" gradientbegincolor=\"#ffffff\" gradientendcolor=\"#000000\"/>"
    "<animateitem id=\"anim\" delaytime=\"50\" nframecount=\"4\" action=\"mouseEnter\"><image id=\"f\" picfile=\"@IMAGE@\"/></animateitem>"
    "<eventitem id=\"ev\" event=\"MouseEnter\" cursor=\"hand\" tooltips=\"tip\" sendparent=\"true\" state=\"over|down\">"
    "<rect id=\"evr\" fillcolor=\"#ff0000\"/><text id=\"evt\" content=\"e\"/></eventitem>"
    "</window>";

const char* const kHostileValues[] = {
    "", "#", "-", "0", "-1", "1", "2147483647", "-2147483648", "2147483648", "99999999999999999999", "0x7fffffff",
    "-0x80000000", "1e9", "abc", "%s%s%n", "#default", "true", "FALSE", "all", "non", "default", "4in", "3in",
    "right", "vert", "|||", "over|non|down", "rgb(", "rgb(1,2", "RGB(999,-1,abc,7)", "#nosuchcolour", "#1", "ffffff",
    "1,2", "1,2,3", "1,2,3,4,5", ",,,", "2147483647,2147483647,2147483647,2147483647", "-5,-5,-10,-10", "\xE5\xAE\x89",
    "\xC2", "\xE5\xAE", "%p%", "%v", "%d%d%d", "bk", "caption", "seed", "parent", "child", "self",
    "<b><i><u><s><font size=99999 color=#zz face=",
};

const char* const kAttributeNames[] = {
    "left", "top", "right", "bottom", "width", "height", "index", "id", "relativeto", "relativepoint", "visible",
    "state", "paintmode", "picfile", "rectinfile", "content", "richtext", "font", "textcolor", "autosize",
    "gradientmode", "alignmode", "gradientbegincolor", "roundwidth", "borderwidth", "penwidth", "linestyle",
    "event", "delaytime", "nframecount", "value", "textformat", "inherit", "name", "type", "combine", "roundsize",
    "interval", "editmargin", "spinsize", "captionheight", "clipcolor", "bkcolor",
};

class StyleMutator {
public:
    StyleMutator(unsigned seed, const std::string& imagePath) : m_random(seed), m_seed(kSeed)
    {
        for (size_t at = m_seed.find("@IMAGE@"); at != std::string::npos; at = m_seed.find("@IMAGE@"))
            m_seed.replace(at, 7, imagePath);
    }

    // A damaged copy of the seed: the text, or null when the damage left no window element.
    std::string Damage()
    {
        TiXmlDocument document;
        document.Parse(m_seed.c_str());
        std::vector<TiXmlElement*> elements;
        Collect(document.RootElement(), &elements);
        for (int edits = 1 + static_cast<int>(Below(6)); edits > 0; --edits)
            EditElement(elements[Below(elements.size())], &elements);
        TiXmlPrinter printer;
        document.Accept(&printer);
        std::string text = printer.CStr();
        if (Below(4) == 0)
            DamageText(&text);
        return text;
    }

    size_t Below(size_t limit) { return limit ? std::uniform_int_distribution<size_t>(0, limit - 1)(m_random) : 0; }

private:
    static void Collect(TiXmlElement* element, std::vector<TiXmlElement*>* out)
    {
        for (; element; element = element->NextSiblingElement()) {
            out->push_back(element);
            Collect(element->FirstChildElement(), out);
        }
    }

    const char* HostileValue() { return kHostileValues[Below(sizeof(kHostileValues) / sizeof(*kHostileValues))]; }
    const char* AttributeName() { return kAttributeNames[Below(sizeof(kAttributeNames) / sizeof(*kAttributeNames))]; }

    void EditElement(TiXmlElement* element, std::vector<TiXmlElement*>* elements)
    {
        switch (Below(6)) {
        case 0: // a hostile value for an attribute the element has
        case 1: {
            std::vector<const char*> names;
            for (TiXmlAttribute* a = element->FirstAttribute(); a; a = a->Next())
                names.push_back(a->Name());
            if (!names.empty())
                element->SetAttribute(std::string(names[Below(names.size())]), HostileValue());
            break;
        }
        case 2: // any known attribute, hostile value
            element->SetAttribute(AttributeName(), HostileValue());
            break;
        case 3: // many copies of a child, to grow lists and limits
            if (TiXmlElement* child = element->FirstChildElement()) {
                for (int copies = 1 + static_cast<int>(Below(8)); copies > 0; --copies)
                    element->InsertEndChild(*child);
            }
            break;
        case 4: // an element somewhere else: the root's children moved into items and back
            if (element->Parent() && element->Parent()->ToElement()) {
                TiXmlElement* target = (*elements)[Below(elements->size())];
                if (target != element)
                    target->InsertEndChild(*element);
            }
            break;
        default: // a long text value
            element->SetAttribute(AttributeName(), std::string(1 + Below(3000), static_cast<char>('a' + Below(26))));
            break;
        }
    }

    void DamageText(std::string* text)
    {
        if (text->empty())
            return;
        switch (Below(3)) {
        case 0:
            text->resize(Below(text->size()));
            break;
        case 1:
            for (int flips = 1 + static_cast<int>(Below(6)); flips > 0; --flips)
                (*text)[Below(text->size())] ^= static_cast<char>(1u << Below(8));
            break;
        default:
            text->insert(Below(text->size()), text->substr(Below(text->size()), Below(200)));
            break;
        }
    }

    std::mt19937 m_random;
    std::string m_seed;
};

// Everything a window does with its style copy, for every rectangle and state given.
void Exercise(uiStyle* style, HDC dc)
{
    static const RECT kRects[] = {
        {0, 0, 64, 32}, {0, 0, 0, 0}, {10, 10, 5, 5}, {-100, -100, 64, 32},
        {0, 0, 2147483647, 2147483647}, {-2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647},
    };
    static const DWORD kStates[] = {0x1, 0x2, 0x4, 0x80, 0x100, 0x4000, 0xFFFFFFFF, 0};
    std::unique_ptr<uiStyle> copy(style->Clone());
    copy->displayList.SetText(nullptr, L"\x5B89\x88C5 Tavrin");
    copy->displayList.SetOwnerWindow(nullptr);
    for (const RECT& rect : kRects) {
        copy->displayList.Layout(rect);
        copy->animateList.Layout(rect);
        copy->eventList.Layout(rect);
        for (DWORD state : kStates) {
            copy->displayList.Paint(dc, state);
            copy->eventList.PaintItems(dc, state);
        }
        copy->eventList.SetHitRects(rect);
        for (int i = 0; i < copy->eventList.GetCount(); ++i) {
            uiEventInfo info;
            info.type = 9;
            copy->eventList.ItemAt(i)->OnEvent(&info);
            info.type = 8;
            copy->eventList.ItemAt(i)->OnEvent(&info);
        }
        uiListBoxInfo* rows = copy->listboxinfo.get();
        for (int i = 0; rows && i < rows->drawObjs.GetCount(); ++i) {
            std::unique_ptr<uiDrawObj> row(rows->drawObjs.At(i)->Clone());
            uiDrawObj_SetRect(row.get(), rect);
            uiDrawObj_SetText(row.get(), L"row");
            uiDrawObj_SetHitRect(row.get(), rect);
            uiDrawObj_ShiftX(row.get(), 16);
            uiDrawObj_Paint(dc, row.get(), 0x3);
        }
    }
    copy->AdjustColor(30, 80, -20);
}

TEST(StyleMutation, DamagedStyleDocumentsNeitherCrashNorHang)
{
    // Inheritance reaches the styles of the packed test skin when its database is there.
    LoadInheritanceSkin();

    PixelCanvas canvas(64, 32);
    const unsigned seed = MutationSeed("style documents", 20261209);
    StyleMutator mutator(seed, NarrowPath(WriteColumnBitmap()));
    GuardedBuffer guarded;
    int tried = 0;
    int parsed = 0;
    int painted = 0; // styles that reached the paint and event code with items of their own
    std::set<std::string> distinct;
    for (; tried < kDocuments; ++tried) {
        const std::string text = mutator.Damage();
        TryingInput("style document " + std::to_string(tried) + " of seed " + std::to_string(seed));
        distinct.insert(text);
        StyleDocument document;
        const TiXmlElement* window =
            document.Parse(reinterpret_cast<const char*>(guarded.Place(text.data(), text.size())), text.size());
        if (!window)
            continue;
        ++parsed;
        std::unique_ptr<uiStyle> style(uiStyle::CreateFromXml(window));
        if (style->displayList.GetCount() > 0 && style->eventList.GetCount() > 0)
            ++painted;
        Exercise(style.get(), canvas.GetDC());
    }
    std::printf("style documents tried: %d (%d distinct), parsed and exercised: %d, with items: %d\n", tried,
                static_cast<int>(distinct.size()), parsed, painted);
    // Repeats of a few documents would prove little about the rest.
    EXPECT_GT(static_cast<int>(distinct.size()), kDocuments / 2);
    EXPECT_GT(parsed, kDocuments / 2);
    EXPECT_GT(painted, parsed / 2);
    uiGetSkinAdmin().Unload();
}

} // namespace

// The animation item: settings for the player and its frame list.
#include "uiDisplayAnimateItem.h"

uiDisplayAnimateItem::uiDisplayAnimateItem() : uiDisplayItem(UI_ITEM_ANIMATE)
{
}

int uiDisplayAnimateItem::Paint(HDC)
{
    // The player draws the frames.
    return 1;
}

uiDisplayItem* uiDisplayAnimateItem::Clone() const
{
    auto* copy = new uiDisplayAnimateItem;
    CopyTo(copy);
    copy->m_frameWidth = m_frameWidth;
    copy->m_frameHeight = m_frameHeight;
    copy->m_inOneFile = m_inOneFile;
    copy->m_interval = m_interval;
    copy->m_start = m_start;
    copy->m_frameCount = m_frameCount;
    copy->m_cycle = m_cycle;
    copy->m_startAction = m_startAction;
    m_frames.CloneInto(&copy->m_frames);
    return copy;
}

void uiDisplayAnimateItem::CalcRect(const RECT& parent)
{
    uiDisplayItem::CalcRect(parent);
    m_frames.Layout(GetRect());
}

// Statistics document builder over Boost.PropertyTree and its JSON writer.
#include "JsonBuilder.h"

#include <boost/property_tree/json_parser.hpp>
#include <sstream>

namespace ns_kw_stat {

using boost::property_tree::wptree;

JsonBuilder::JsonBuilder() = default;

wptree& JsonBuilder::Cursor()
{
    return openNodes_.empty() ? root_ : *openNodes_.back();
}

void JsonBuilder::BeginObject(const std::wstring& key)
{
    wptree& parent = Cursor();
    wptree::iterator child = parent.push_back(wptree::value_type(key, wptree()));
    openNodes_.push_back(&child->second);
}

void JsonBuilder::BeginArrayItem()
{
    BeginObject(std::wstring());
}

void JsonBuilder::Put(const std::wstring& key, const std::wstring& value)
{
    Cursor().push_back(wptree::value_type(key, wptree(value)));
}

void JsonBuilder::PutNarrow(const std::wstring& key, const char* value)
{
    std::wstring wide;
    for (const char* c = value; *c; ++c)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    Put(key, wide);
}

void JsonBuilder::EndObject()
{
    if (!openNodes_.empty())
        openNodes_.pop_back();
}

void JsonBuilder::Reset()
{
    root_.clear();
    root_.data().clear();
    openNodes_.clear();
}

std::unique_ptr<JsonBuilder> JsonBuilder::Clone() const
{
    auto copy = std::make_unique<JsonBuilder>();
    copy->root_ = root_;
    return copy;
}

bool JsonBuilder::ToString(std::wstring& text) const
{
    try {
        std::wostringstream stream;
        boost::property_tree::write_json(stream, root_, false);
        text = stream.str();
    } catch (const std::exception&) {
        return false;
    }
    // The writer's own line ending differs between library versions; the document ends in exactly one.
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
        text.pop_back();
    text += L'\n';
    return true;
}

}  // namespace ns_kw_stat

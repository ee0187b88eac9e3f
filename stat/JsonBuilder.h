// Builds one statistics document as a wide property tree, member by member, and writes it as
// compact JSON text with one trailing newline.
#pragma once

#include <boost/property_tree/ptree.hpp>
#include <memory>
#include <string>
#include <vector>

namespace ns_kw_stat {

class JsonBuilder {
public:
    JsonBuilder();
    JsonBuilder(const JsonBuilder&) = delete;
    JsonBuilder& operator=(const JsonBuilder&) = delete;

    // Opens a child object under the cursor and moves the cursor into it.
    void BeginObject(const std::wstring& key);
    // Opens an array item (a child with an empty key) and moves the cursor into it.
    void BeginArrayItem();
    void Put(const std::wstring& key, const std::wstring& value);
    void PutNarrow(const std::wstring& key, const char* value);
    // Moves the cursor back to the parent of the current node; at the root it stays.
    void EndObject();
    // Empties the document and puts the cursor at the root.
    void Reset();
    // A deep copy of the document with the cursor at its root.
    std::unique_ptr<JsonBuilder> Clone() const;
    // The document text; false when the tree cannot be written.
    bool ToString(std::wstring& text) const;

    boost::property_tree::wptree& Root() { return root_; }

private:
    boost::property_tree::wptree& Cursor();

    boost::property_tree::wptree root_;
    // The open nodes from the root's child down to the cursor; children of a ptree keep their address
    // while siblings are appended, so plain pointers stay valid until the next Reset.
    std::vector<boost::property_tree::wptree*> openNodes_;
};

}  // namespace ns_kw_stat

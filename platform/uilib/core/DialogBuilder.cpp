#include "platform/uilib/core/DialogBuilder.h"

#include <pugixml.hpp>

#include <string>

#include "common/StringConversion.h"
#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/ContainerUI.h"
#include "platform/uilib/core/ControlFactory.h"
#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/core/UIInterfaces.h"

namespace {

// Includes nest at most this deep, so a layout that includes itself ends.
constexpr int kMaxIncludeDepth = 8;

std::wstring Wide(const char* utf8) { return Utf8ToWide(utf8 ? utf8 : ""); }

class TreeBuilder {
public:
    TreeBuilder(IDialogBuilderCallback* callback, CPaintManagerUI* manager)
        : callback_(callback), manager_(manager) {}

    bool Load(const std::wstring& xml, pugi::xml_document& document) const {
        if (!xml.empty() && xml[0] == L'<') {
            std::string text = WideToUtf8(xml);
            return document.load_buffer(text.data(), text.size());
        }
        std::string bytes;
        if (!manager_->ReadResource(xml, bytes)) {
            return false;
        }
        return document.load_buffer(bytes.data(), bytes.size());
    }

    // Window attributes, fonts, defaults and includes at the top level; the
    // first control found becomes the root.
    CControlUI* BuildTop(const pugi::xml_node& root, CControlUI* parent, int depth) {
        if (std::string_view(root.name()) != "Window") {
            return BuildControl(root, parent, depth);
        }
        ApplyWindowAttributes(root);
        CControlUI* result = nullptr;
        for (pugi::xml_node node : root.children()) {
            if (node.type() != pugi::node_element) {
                continue;
            }
            std::string_view name = node.name();
            if (name == "Font") {
                AddFont(node);
            } else if (name == "Default") {
                manager_->AddDefaultAttributeList(Wide(node.attribute("name").value()).c_str(),
                                                  Wide(node.attribute("value").value()).c_str());
            } else if (name == "Include") {
                CControlUI* included = Include(node, parent, depth);
                if (!result) {
                    result = included;
                }
            } else if (!result) {
                result = BuildControl(node, parent, depth);
            }
        }
        return result;
    }

private:
    CControlUI* Include(const pugi::xml_node& node, CControlUI* parent, int depth) {
        if (depth >= kMaxIncludeDepth) {
            return nullptr;
        }
        pugi::xml_document document;
        if (!Load(Wide(node.attribute("source").value()), document)) {
            return nullptr;
        }
        return BuildTop(document.document_element(), parent, depth + 1);
    }

    void ApplyWindowAttributes(const pugi::xml_node& window) {
        for (pugi::xml_attribute attribute : window.attributes()) {
            std::string_view name = attribute.name();
            std::wstring value = Wide(attribute.value());
            if (name == "size") {
                SIZE size = ParseSize(value);
                manager_->SetInitSize(size.cx, size.cy);
            } else if (name == "caption") {
                manager_->SetCaptionRect(ParseRect(value));
            } else if (name == "sizebox") {
                manager_->SetSizeBox(ParseRect(value));
            } else if (name == "roundcorner") {
                manager_->SetRoundCorner(ParseSize(value));
            } else if (name == "mininfo") {
                SIZE size = ParseSize(value);
                manager_->SetMinInfo(size.cx, size.cy);
            } else if (name == "maxinfo") {
                SIZE size = ParseSize(value);
                manager_->SetMaxInfo(size.cx, size.cy);
            } else if (name == "showshadow") {
                manager_->SetShowShadow(ParseBool(value));
            } else if (name == "shadowsize") {
                manager_->SetShadowSize(ParseInt(value));
            } else if (name == "trayiconid") {
                manager_->SetTrayIconId(static_cast<UINT>(ParseInt(value)));
            } else if (name == "traytiptext") {
                manager_->SetTrayTipText(value.c_str());
            }
        }
    }

    void AddFont(const pugi::xml_node& node) {
        manager_->AddFont(node.attribute("id").as_int(-1),
                          Wide(node.attribute("name").value()).c_str(),
                          node.attribute("size").as_int(12), node.attribute("bold").as_bool(),
                          node.attribute("underline").as_bool(), node.attribute("italic").as_bool(),
                          node.attribute("default").as_bool());
    }

    CControlUI* Create(const std::wstring& className) {
        CControlUI* control = CControlFactory::Create(className);
        if (!control && callback_) {
            control = callback_->CreateControl(className.c_str());
        }
        return control;
    }

    CControlUI* BuildControl(const pugi::xml_node& node, CControlUI* parent, int depth) {
        std::string_view name = node.name();
        if (name == "Include") {
            return Include(node, parent, depth);
        }
        std::wstring className = Wide(node.name());
        CControlUI* control = Create(className);
        if (!control) {
            return nullptr;
        }
        auto* container = dynamic_cast<CContainerUI*>(parent);
        if (container) {
            container->Add(control);
        }
        control->ApplyAttributeList(manager_->GetDefaultAttributeList(className.c_str()));
        for (pugi::xml_attribute attribute : node.attributes()) {
            control->SetAttribute(Wide(attribute.name()).c_str(), Wide(attribute.value()).c_str());
        }
        // Only containers own children: the elements inside any other
        // control (a menu separator's line) are left out, not left ownerless.
        if (!dynamic_cast<CContainerUI*>(control)) {
            return control;
        }
        for (pugi::xml_node child : node.children()) {
            if (child.type() == pugi::node_element) {
                BuildControl(child, control, depth);
            }
        }
        return control;
    }

    IDialogBuilderCallback* callback_;
    CPaintManagerUI* manager_;
};

}  // namespace

CControlUI* CDialogBuilder::Create(LPCTSTR xml, LPCTSTR, IDialogBuilderCallback* callback,
                                   CPaintManagerUI* manager, CControlUI* parent) {
    if (!xml) {
        return nullptr;
    }
    // Without a window the layout is still read with the skin path's folder.
    CPaintManagerUI standIn;
    TreeBuilder builder(callback, manager ? manager : &standIn);
    pugi::xml_document document;
    if (!builder.Load(xml, document)) {
        return nullptr;
    }
    return builder.BuildTop(document.document_element(), parent, 0);
}

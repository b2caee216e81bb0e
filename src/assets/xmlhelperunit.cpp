// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/xmlhelperunit.h"

#include "assets/meshunit.h"

#include <array>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace {

// What GetText gives, without the copy.
std::string_view TextOf(const TXMLNode& node) {
    if (node.NodeType != ndTag) return node.Text;
    if (node.Children.Count() == 1 && node.Children.Items(0).NodeType != ndTag)
        return node.Children.Items(0).Text;
    return {};
}

// The first child of each of the names, found in one pass over the children (a face
// element has over thirty, counting the blanks between them).
template <size_t N> class TChildren {
public:
    TChildren(const TXMLNode& node, const std::array<std::string_view, N>& names)
        : FNode(node), FNames(names) {
        for (int i = 0; i < node.Children.Count(); ++i) {
            const TXMLNode& child = node.Children.Items(i);
            if (child.NodeType != ndTag) continue;
            for (size_t j = 0; j < N; ++j)
                if (FFound[j] == nullptr && child.Name.size() == FNames[j].size() &&
                    child.Name[0] == FNames[j][0] && child.Name == FNames[j]) {
                    FFound[j] = &child;
                    break;
                }
        }
    }

    const TXMLNode* Find(size_t index) const { return FFound[index]; }
    float Float(size_t index) const { return StrToFloat(TextOf(Required(index))); }
    int32_t Integer(size_t index) const { return StrToInt(TextOf(Required(index))); }

private:
    const TXMLNode& FNode;
    const std::array<std::string_view, N>& FNames;
    std::array<const TXMLNode*, N> FFound{};

    const TXMLNode& Required(size_t index) const {
        if (FFound[index] == nullptr)
            throw EXMLError("Missing element " + std::string(FNames[index]) + " in " + FNode.Name);
        return *FFound[index];
    }
};

} // namespace

float StrToFloat(std::string_view text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+' && last - first > 1 && first[1] != '-') ++first;
    float value = 0;
    auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range && end == last) {
        // Too small for a float is still a number: it reads as (signed) zero. Too large
        // stays an error.
        double wide = 0;
        if (std::from_chars(first, last, wide, std::chars_format::general).ec == std::errc() &&
            std::fabs(wide) < 1) {
            value = static_cast<float>(wide);
            error = std::errc();
        }
    }
    if (error != std::errc() || end != last || first == last || !std::isfinite(value))
        throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return value;
}

std::string FloatToStr(float value) {
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, error == std::errc() ? end : buffer);
}

TXMLNode& RequireChild(const TXMLNode& node, const std::string& name) {
    TXMLNode* child = node.FindChild(name);
    if (child == nullptr) throw EXMLError("Missing element " + name + " in " + node.Name);
    return *child;
}

int32_t ReadInteger(const TXMLNode& node, const std::string& name) {
    return StrToInt(TextOf(RequireChild(node, name)));
}

float ReadFloat(const TXMLNode& node, const std::string& name) {
    return StrToFloat(TextOf(RequireChild(node, name)));
}

TVector ReadVector(const TXMLNode& node) {
    return MakeVector(ReadFloat(node, "X"), ReadFloat(node, "Y"), ReadFloat(node, "Z"));
}

std::unique_ptr<TXMLNode> WriteVector(const TVector& vector) {
    auto node = std::make_unique<TXMLNode>("VECTOR", ndTag);
    node->AddChild("X", FloatToStr(vector.x));
    node->AddChild("Y", FloatToStr(vector.y));
    node->AddChild("Z", FloatToStr(vector.z));
    return node;
}

namespace {

std::unique_ptr<TXMLNode> Element(const char* name, int32_t id) {
    auto node = std::make_unique<TXMLNode>(name, ndTag);
    node->Attributes.Add("id", IntToStr(id));
    return node;
}

void AddFloats(TXMLNode& node, std::initializer_list<std::pair<const char*, float>> values) {
    for (const auto& [name, value] : values)
        node.AddChild(name, FloatToStr(value));
}

} // namespace

std::unique_ptr<TXMLNode> WriteVertex(const TVertex& v, int32_t id) {
    auto node = Element("VERTEX", id);
    AddFloats(*node, {{"X", v.x},
                      {"Y", v.y},
                      {"Z", v.z},
                      {"NX", v.nx},
                      {"NY", v.ny},
                      {"NZ", v.nz},
                      {"U", v.u},
                      {"V", v.v}});
    return node;
}

std::unique_ptr<TXMLNode> WriteFace(const TFace& f, int32_t id) {
    auto node = Element("FACE", id);
    node->AddChild("A", f.a);
    node->AddChild("B", f.b);
    node->AddChild("C", f.c);
    AddFloats(*node, {{"AU", f.au},
                      {"AV", f.av},
                      {"BU", f.bu},
                      {"BV", f.bv},
                      {"CU", f.cu},
                      {"CV", f.cv},
                      {"NX", f.nx},
                      {"NY", f.ny},
                      {"NZ", f.nz}});
    node->AddChild("SMOOTH", f.smooth ? "1" : "0");
    return node;
}

void ReadVertex(const TXMLNode& node, TVertex& vertex) {
    enum { X, Y, Z, NX, NY, NZ, U, V };
    static const std::array<std::string_view, 8> names{"X", "Y", "Z", "NX", "NY", "NZ", "U", "V"};
    TChildren children(node, names);
    vertex.x = children.Float(X);
    vertex.y = children.Float(Y);
    vertex.z = children.Float(Z);
    if (children.Find(NX) != nullptr) {
        vertex.nx = children.Float(NX);
        vertex.ny = children.Float(NY);
        vertex.nz = children.Float(NZ);
    }
    if (children.Find(U) != nullptr) {
        vertex.u = children.Float(U);
        vertex.v = children.Float(V);
    }
}

void ReadFace(const TXMLNode& node, TFace& face) {
    enum { A, B, C, AU, AV, BU, BV, CU, CV, NX, NY, NZ, SMOOTH };
    static const std::array<std::string_view, 13> names{"A",  "B",  "C",  "AU", "AV", "BU",    "BV",
                                                        "CU", "CV", "NX", "NY", "NZ", "SMOOTH"};
    TChildren children(node, names);
    face.a = children.Integer(A);
    face.b = children.Integer(B);
    face.c = children.Integer(C);
    if (children.Find(AU) != nullptr) {
        face.au = children.Float(AU);
        face.av = children.Float(AV);
        face.bu = children.Float(BU);
        face.bv = children.Float(BV);
        face.cu = children.Float(CU);
        face.cv = children.Float(CV);
    }
    if (children.Find(NX) != nullptr) {
        face.nx = children.Float(NX);
        face.ny = children.Float(NY);
        face.nz = children.Float(NZ);
    }
    const TXMLNode* smooth = children.Find(SMOOTH);
    face.smooth = smooth == nullptr || TextOf(*smooth) != "0";
}

#include "assets/xmlhelperunit.h"

#include "assets/meshunit.h"

#include <charconv>
#include <cmath>

float StrToFloat(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+' && last - first > 1 && first[1] != '-') ++first;
    float value = 0;
    auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end != last || first == last || !std::isfinite(value))
        throw EConvertError("'" + text + "' is not a valid floating point value");
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
    return RequireChild(node, name).GetTextAsInteger();
}

float ReadFloat(const TXMLNode& node, const std::string& name) {
    return StrToFloat(RequireChild(node, name).GetText());
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

void ReadVertex(const TXMLNode& node, TVertex& vertex) {
    vertex.x = ReadFloat(node, "X");
    vertex.y = ReadFloat(node, "Y");
    vertex.z = ReadFloat(node, "Z");
    if (node.FindChild("NX") != nullptr) {
        vertex.nx = ReadFloat(node, "NX");
        vertex.ny = ReadFloat(node, "NY");
        vertex.nz = ReadFloat(node, "NZ");
    }
    if (node.FindChild("U") != nullptr) {
        vertex.u = ReadFloat(node, "U");
        vertex.v = ReadFloat(node, "V");
    }
}

void ReadFace(const TXMLNode& node, TFace& face) {
    face.a = ReadInteger(node, "A");
    face.b = ReadInteger(node, "B");
    face.c = ReadInteger(node, "C");
    if (node.FindChild("AU") != nullptr) {
        face.au = ReadFloat(node, "AU");
        face.av = ReadFloat(node, "AV");
        face.bu = ReadFloat(node, "BU");
        face.bv = ReadFloat(node, "BV");
        face.cu = ReadFloat(node, "CU");
        face.cv = ReadFloat(node, "CV");
    }
    if (node.FindChild("NX") != nullptr) {
        face.nx = ReadFloat(node, "NX");
        face.ny = ReadFloat(node, "NY");
        face.nz = ReadFloat(node, "NZ");
    }
    TXMLNode* smooth = node.FindChild("SMOOTH");
    face.smooth = smooth == nullptr || smooth->GetText() != "0";
}

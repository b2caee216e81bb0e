// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Hierarchical models: the XML model format with poses and keyframe animations, drawing
// with the OpenGL matrix stack, and the shared animated instance the game poses per entity.
#pragma once

#include "assets/streamunit.h"
#include "math/vectorunit.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class TMesh;
class TTexture;
class TGenericMediaManager;
class TModel;
class TPose;

// Raised when a model cannot be turned into an animated instance.
class EModelError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An ordered list that owns its items.
template <typename T> class TOwnedList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    T& Items(int index) const { return *FItems.at(static_cast<size_t>(index)); }
    T& Add(std::unique_ptr<T> item) {
        FItems.push_back(std::move(item));
        return *FItems.back();
    }
    void Clear() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<T>> FItems;
};

// Rotation is in degrees about X, then Y, then Z. A default transformation is all zero,
// the neutral offset of a pose.
struct TTransformation {
    TVector Position{0, 0, 0};
    TVector Rotation{0, 0, 0};
    TVector Scale{0, 0, 0};

    void Clear() { *this = TTransformation(); }
    bool IsZero() const;
    // The product of the scale factors is negative: drawing it turns the winding over.
    bool IsMirrored() const;
    TTransformation Sum(const TTransformation& other) const;
    TTransformation Clone() const { return *this; }
};

struct TNodeColor {
    float Red = 1;
    float Green = 1;
    float Blue = 1;
};

enum TGraphicElementType { geNone, geMesh, geModel, geReference };

// Only the member matching ElementType is used. Meshes and sub-models are borrowed.
struct TGraphicElement {
    TGraphicElementType ElementType = geNone;
    TMesh* Mesh = nullptr;
    TModel* Model = nullptr;
    int32_t Reference = 0;
};

class TModelTreeNode;
using TModelTreeNodeList = TOwnedList<TModelTreeNode>;

class TModelTreeNode {
public:
    // Draws the subtree under the current model-view matrix (needs a current GL context).
    // Changes texturing and the material colour without restoring them.
    void Render() const;
    // The same with every node offset by the pose's item for its name.
    void RenderPose(const TPose& pose) const;
    // A copy of the subtree without names and textures, for animated instances.
    std::unique_ptr<TModelTreeNode> CopyUntextured() const;

    std::string Name;
    TTransformation Transformation{{0, 0, 0}, {0, 0, 0}, {1, 1, 1}};
    TNodeColor Color;
    TGraphicElement Element;
    TTexture* Texture = nullptr; // borrowed from the media manager
    TModelTreeNodeList Children;
};

struct TPoseItem {
    std::string MovedNode;
    TTransformation Transformation; // offsets added to the moved node's own
};
using TPoseItemList = TOwnedList<TPoseItem>;

class TPose {
public:
    // The offset of the first item for the node; with create, a cleared item is appended
    // when there is none. nullptr otherwise.
    TTransformation* FindDelta(const std::string& nodeName, bool create);
    const TTransformation* FindDelta(const std::string& nodeName) const;
    bool IsNodeMoved(const std::string& nodeName) const;

    std::string Name = "A pose";
    TPoseItemList Items;
};
using TPoseList = TOwnedList<TPose>;

struct TAnimationKey {
    std::string PoseName;
    int32_t Time = 0; // hundredths of one run
    bool Trigger = false;
};
using TAnimationKeyList = TOwnedList<TAnimationKey>;

struct TAnimation {
    std::string Name = "Animation";
    TAnimationKeyList Keys; // in file order
};
using TAnimationList = TOwnedList<TAnimation>;

class TModel {
public:
    TModel();

    // False when the file does not exist (the model is unchanged). Read errors propagate
    // and leave what was read so far.
    bool LoadFromFile(const std::string& fileName, TGenericMediaManager& media);
    bool LoadFromStream(TStream& stream, TGenericMediaManager& media);
    bool SaveToFile(const std::string& fileName) const;
    bool SaveToStream(TStream& stream) const;

    void Render() const;
    void RenderPose(const TPose& pose) const;
    // -1 when no pose has that name.
    int32_t IndexOfPose(const std::string& name) const;
    bool HasPose(const std::string& name) const { return IndexOfPose(name) >= 0; }

    std::string Name = "Amodel";
    std::unique_ptr<TModelTreeNode> Root; // never null
    TPoseList Poses;
    TAnimationList Animations;
};

// A pose tree: complete transformations shaped like the model's node tree.
class TTransfTreeNode;
using TTransfTreeNodeList = TOwnedList<TTransfTreeNode>;

class TTransfTreeNode {
public:
    TTransformation Transformation;
    TTransfTreeNodeList Children; // child i belongs to the model node's child i
};

struct TRealTimeAnimationKey {
    int32_t PoseIndex = -1; // -1 when the key names no pose
    int32_t Time = 0;
};

struct TRealTimeAnimation {
    std::vector<TRealTimeAnimationKey> Keys; // sorted by time
    int32_t TriggerTime = 50;
};
using TRealTimeAnimations = std::vector<TRealTimeAnimation>;

// One shared instance per kind of object; Tree holds the pose of the last Animate call.
class TRealTimeModel {
public:
    // Logs "Loading <fileName>". A missing file gives an empty model; read errors propagate.
    void LoadFromFile(const std::string& fileName, TGenericMediaManager& media);
    // Rebuilds everything from the model; raises EModelError when its pose trees would
    // be absurdly large.
    void Init(const TModel& model);
    // Poses Tree for the animation at phase time (0 up to 1). Allocates nothing.
    void Animate(int32_t animation, float time);
    bool IsPastTrigger(int32_t animation, float time) const;
    void Render() const;

    std::unique_ptr<TModelTreeNode> Tree; // null until Init
    TTransfTreeNodeList PoseTrees;        // index = pose index
    TRealTimeAnimations Animations;
};

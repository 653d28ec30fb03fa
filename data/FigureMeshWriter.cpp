#include "FigureMeshWriter.h"

#include "FigureAnimations.h"
#include "FigureModel.h"
#include "FigurePalette.h"
#include "FigureRig.h"

#include <OgreException.h>
#include <OgreHardwareBufferManager.h>
#include <OgreLogManager.h>
#include <OgreMaterialManager.h>
#include <OgreMesh.h>
#include <OgreMeshManager.h>
#include <OgreMeshSerializer.h>
#include <OgreResourceGroupManager.h>
#include <OgreSkeleton.h>
#include <OgreSkeletonManager.h>
#include <OgreSkeletonSerializer.h>
#include <OgreSubMesh.h>
#include <OgreVertexBoneAssignment.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace
{
const Ogre::String& group()
{
    return Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME;
}

/// Room for every pose of both animations: the man lying face down reaches about 4.5 units ahead of his feet.
const Ogre::AxisAlignedBox kAnimatedBounds(-1.6f, -2.7f, -1.6f, 1.6f, 1.9f, 4.8f);

float farthestCornerDistance(const Ogre::AxisAlignedBox& box)
{
    const Ogre::Vector3 reach(std::max(-box.getMinimum().x, box.getMaximum().x),
                              std::max(-box.getMinimum().y, box.getMaximum().y),
                              std::max(-box.getMinimum().z, box.getMaximum().z));
    return reach.length();
}

/// Strength of the light's highlights on the glossy parts of the figure.
constexpr float kGlossSpecular = 0.35f;

Ogre::HardwareVertexBufferSharedPtr createBuffer(Ogre::VertexDeclaration* declaration, unsigned short source,
                                                 const void* data, std::size_t vertexCount)
{
    Ogre::HardwareVertexBufferSharedPtr buffer = Ogre::HardwareBufferManager::getSingleton().createVertexBuffer(
        declaration->getVertexSize(source), vertexCount, Ogre::HardwareBuffer::HBU_STATIC_WRITE_ONLY);
    buffer->writeData(0, buffer->getSizeInBytes(), data, true);
    return buffer;
}

/// Positions and normals in one buffer, which the engine blends for each figure in every frame; the colour
/// cell's texture coordinates and the highlight strength, which stay as they are, in a second one.
void fillVertexData(Ogre::Mesh& mesh, const FigureGeometry& geometry)
{
    const auto& vertices = geometry.getVertices();
    const auto& colours = FigureModel::colours();
    auto* data = new Ogre::VertexData();
    mesh.sharedVertexData = data;
    data->vertexCount = vertices.size();
    Ogre::VertexDeclaration* declaration = data->vertexDeclaration;
    size_t offset = declaration->addElement(0, 0, Ogre::VET_FLOAT3, Ogre::VES_POSITION).getSize();
    declaration->addElement(0, offset, Ogre::VET_FLOAT3, Ogre::VES_NORMAL);
    offset = declaration->addElement(1, 0, Ogre::VET_FLOAT2, Ogre::VES_TEXTURE_COORDINATES).getSize();
    // The material takes its highlight colour from the vertex colour.
    declaration->addElement(1, offset, Ogre::VET_UBYTE4_NORM, Ogre::VES_DIFFUSE);

    struct Surface
    {
        float u;
        float v;
        std::uint8_t specular[4];
    };
    std::vector<float> shape;
    std::vector<Surface> surface;
    shape.reserve(vertices.size() * 6);
    surface.reserve(vertices.size());
    const auto gloss = static_cast<std::uint8_t>(kGlossSpecular * 255.0f + 0.5f);
    for (const FigureVertex& vertex : vertices)
    {
        shape.insert(shape.end(), {vertex.position.x, vertex.position.y, vertex.position.z, vertex.normal.x,
                                   vertex.normal.y, vertex.normal.z});
        const Ogre::Vector2 cell = FigurePalette::cellCentre(vertex.colour);
        const std::uint8_t specular = colours[vertex.colour].glossy ? gloss : 0;
        surface.push_back({cell.x, cell.y, {specular, specular, specular, 255}});
    }
    data->vertexBufferBinding->setBinding(0, createBuffer(declaration, 0, shape.data(), vertices.size()));
    data->vertexBufferBinding->setBinding(1, createBuffer(declaration, 1, surface.data(), vertices.size()));

    for (size_t index = 0; index < vertices.size(); ++index)
    {
        Ogre::VertexBoneAssignment assignment;
        assignment.vertexIndex = static_cast<unsigned int>(index);
        assignment.boneIndex = vertices[index].bone;
        assignment.weight = 1.0f;
        mesh.addBoneAssignment(assignment);
    }
}

/// All colours in one sub-mesh with one material: a figure costs one draw in each pass.
void addSubMesh(Ogre::Mesh& mesh, const FigureGeometry& geometry)
{
    std::vector<std::uint16_t> indices;
    for (const auto& group : geometry.getTriangles())
        indices.insert(indices.end(), group.begin(), group.end());
    Ogre::SubMesh* subMesh = mesh.createSubMesh();
    subMesh->useSharedVertices = true;
    Ogre::HardwareIndexBufferSharedPtr buffer = Ogre::HardwareBufferManager::getSingleton().createIndexBuffer(
        Ogre::HardwareIndexBuffer::IT_16BIT, indices.size(), Ogre::HardwareBuffer::HBU_STATIC_WRITE_ONLY);
    buffer->writeData(0, buffer->getSizeInBytes(), indices.data(), true);
    subMesh->indexData->indexBuffer = buffer;
    subMesh->indexData->indexStart = 0;
    subMesh->indexData->indexCount = indices.size();
    // A sub-mesh keeps a material name only if the material exists; the real one comes from the script.
    Ogre::MaterialManager::getSingleton().createOrRetrieve(FigurePalette::kMaterialName, group());
    subMesh->setMaterialName(FigurePalette::kMaterialName, group());
}

bool exportFiles(const Ogre::MeshPtr& mesh, const Ogre::SkeletonPtr& skeleton, const std::string& directory)
{
    try
    {
        Ogre::SkeletonSerializer().exportSkeleton(skeleton.get(), directory + "/" + FigureMeshWriter::kSkeletonName);
        Ogre::MeshSerializer().exportMesh(mesh.get(), directory + "/" + FigureMeshWriter::kMeshName);
    }
    catch (const Ogre::Exception& error)
    {
        Ogre::LogManager::getSingleton().logMessage("figure not written: " + error.getFullDescription());
        return false;
    }
    return true;
}
} // namespace

bool FigureMeshWriter::write(const std::string& directory)
{
    // Marked loaded before it gets any content: only a loaded resource frees its bones, sub-meshes and buffers
    // when it goes.
    Ogre::SkeletonPtr skeleton = Ogre::SkeletonManager::getSingleton().create(kSkeletonName, group(), true);
    skeleton->load();
    FigureRig::buildBones(*skeleton);
    FigureAnimations::addTo(*skeleton);

    const FigureGeometry geometry = FigureModel::build();
    Ogre::MeshPtr mesh = Ogre::MeshManager::getSingleton().createManual(kMeshName, group());
    mesh->load();
    fillVertexData(*mesh, geometry);
    addSubMesh(*mesh, geometry);
    // Attached directly: setSkeletonName would try to load the skeleton file.
    mesh->_notifySkeleton(skeleton);
    mesh->_setBounds(kAnimatedBounds, false);
    mesh->_setBoundingSphereRadius(farthestCornerDistance(kAnimatedBounds));

    const bool written = exportFiles(mesh, skeleton, directory);

    Ogre::MeshManager::getSingleton().remove(mesh);
    Ogre::SkeletonManager::getSingleton().remove(skeleton);
    Ogre::MaterialManager::getSingleton().remove(FigurePalette::kMaterialName, group());
    return written;
}

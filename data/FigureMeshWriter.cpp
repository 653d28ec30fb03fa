#include "FigureMeshWriter.h"

#include "FigureAnimations.h"
#include "FigureModel.h"
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

void fillVertexData(Ogre::Mesh& mesh, const FigureGeometry& geometry)
{
    const auto& vertices = geometry.getVertices();
    auto* data = new Ogre::VertexData();
    mesh.sharedVertexData = data;
    data->vertexCount = vertices.size();
    Ogre::VertexDeclaration* declaration = data->vertexDeclaration;
    size_t offset = declaration->addElement(0, 0, Ogre::VET_FLOAT3, Ogre::VES_POSITION).getSize();
    declaration->addElement(0, offset, Ogre::VET_FLOAT3, Ogre::VES_NORMAL);

    std::vector<float> interleaved;
    interleaved.reserve(vertices.size() * 6);
    for (const FigureVertex& vertex : vertices)
    {
        interleaved.insert(interleaved.end(), {vertex.position.x, vertex.position.y, vertex.position.z, vertex.normal.x,
                                               vertex.normal.y, vertex.normal.z});
    }
    Ogre::HardwareVertexBufferSharedPtr buffer = Ogre::HardwareBufferManager::getSingleton().createVertexBuffer(
        declaration->getVertexSize(0), vertices.size(), Ogre::HardwareBuffer::HBU_STATIC_WRITE_ONLY);
    buffer->writeData(0, buffer->getSizeInBytes(), interleaved.data(), true);
    data->vertexBufferBinding->setBinding(0, buffer);

    for (size_t index = 0; index < vertices.size(); ++index)
    {
        Ogre::VertexBoneAssignment assignment;
        assignment.vertexIndex = static_cast<unsigned int>(index);
        assignment.boneIndex = vertices[index].bone;
        assignment.weight = 1.0f;
        mesh.addBoneAssignment(assignment);
    }
}

void addSubMeshes(Ogre::Mesh& mesh, const FigureGeometry& geometry)
{
    const auto& names = geometry.getMaterialNames();
    const auto& triangles = geometry.getTriangles();
    for (size_t groupIndex = 0; groupIndex < names.size(); ++groupIndex)
    {
        const auto& indices = triangles[groupIndex];
        if (indices.empty())
            continue;
        Ogre::SubMesh* subMesh = mesh.createSubMesh();
        subMesh->useSharedVertices = true;
        Ogre::HardwareIndexBufferSharedPtr buffer = Ogre::HardwareBufferManager::getSingleton().createIndexBuffer(
            Ogre::HardwareIndexBuffer::IT_16BIT, indices.size(), Ogre::HardwareBuffer::HBU_STATIC_WRITE_ONLY);
        buffer->writeData(0, buffer->getSizeInBytes(), indices.data(), true);
        subMesh->indexData->indexBuffer = buffer;
        subMesh->indexData->indexStart = 0;
        subMesh->indexData->indexCount = indices.size();
        // A sub-mesh keeps a material name only if the material exists; the real one comes from the script.
        Ogre::MaterialManager::getSingleton().createOrRetrieve(names[groupIndex], group());
        subMesh->setMaterialName(names[groupIndex], group());
    }
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
    addSubMeshes(*mesh, geometry);
    // Attached directly: setSkeletonName would try to load the skeleton file.
    mesh->_notifySkeleton(skeleton);
    mesh->_setBounds(kAnimatedBounds, false);
    mesh->_setBoundingSphereRadius(farthestCornerDistance(kAnimatedBounds));

    const bool written = exportFiles(mesh, skeleton, directory);

    Ogre::MeshManager::getSingleton().remove(mesh);
    Ogre::SkeletonManager::getSingleton().remove(skeleton);
    for (const std::string& material : geometry.getMaterialNames())
        Ogre::MaterialManager::getSingleton().remove(material, group());
    return written;
}

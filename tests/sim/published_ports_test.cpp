#include "link/published_ports.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace omvi::link;

namespace {

// A private runtime folder, and stand-ins for terminal devices.
class PublishedPortsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(runtime_.isValid());
        QFile::setPermissions(runtime_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner);
        saved_ = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", saved_); }

    QString device(const QString& name) {
        const QString path = devices_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    QTemporaryDir runtime_;
    QTemporaryDir devices_;
    QByteArray saved_;
};

QStringList names(const QList<PublishedPort>& ports) {
    QStringList out;
    for (const PublishedPort& p : ports) {
        out.append(p.name);
    }
    return out;
}

}  // namespace

TEST_F(PublishedPortsTest, TheFolderLivesInTheRuntimeFolder) {
    EXPECT_EQ(publishedPortsDir(), runtime_.path() + QStringLiteral("/omvi-ports"));
    EXPECT_TRUE(publishedPorts().isEmpty());  // no folder yet is not an error
}

TEST_F(PublishedPortsTest, EachSimulatorGetsTheNextFreeName) {
    QStringList links;
    for (int i = 1; i <= 11; ++i) {
        links.append(publishPort(device(QStringLiteral("pts%1").arg(i))));
        ASSERT_FALSE(links.last().isEmpty());
    }
    EXPECT_EQ(QFileInfo(links.at(0)).fileName(), QStringLiteral("omvi-sim"));
    EXPECT_EQ(QFileInfo(links.at(1)).fileName(), QStringLiteral("omvi-sim-2"));
    const QStringList listed = names(publishedPorts());
    ASSERT_EQ(listed.size(), 11);
    EXPECT_EQ(listed.at(0), QStringLiteral("omvi-sim"));
    EXPECT_EQ(listed.at(1), QStringLiteral("omvi-sim-2"));
    EXPECT_EQ(listed.at(9), QStringLiteral("omvi-sim-10"));  // numbers sort by value
    EXPECT_EQ(publishedPorts().at(2).path, devices_.filePath(QStringLiteral("pts3")));
    EXPECT_EQ(publishedPortPath(QStringLiteral("omvi-sim-2")),
              devices_.filePath(QStringLiteral("pts2")));
    EXPECT_TRUE(publishedPortPath(QStringLiteral("omvi-sim-99")).isEmpty());
    EXPECT_TRUE(publishedPortPath(QStringLiteral("../omvi-ports/omvi-sim")).isEmpty());
}

TEST_F(PublishedPortsTest, LinksToVanishedDevicesAreDroppedAndTheirNamesReused) {
    const QString gone = device(QStringLiteral("pts1"));
    const QString stays = device(QStringLiteral("pts2"));
    publishPort(gone);
    publishPort(stays);
    QFile::remove(gone);
    EXPECT_EQ(names(publishedPorts()), QStringList{QStringLiteral("omvi-sim-2")});
    EXPECT_FALSE(QFileInfo(publishedPortsDir() + QStringLiteral("/omvi-sim")).isSymLink());
    EXPECT_TRUE(publishedPortPath(QStringLiteral("omvi-sim")).isEmpty());
    // A simulator killed without cleaning up leaves its name free for the next one.
    QFile::link(gone, publishedPortsDir() + QStringLiteral("/omvi-sim"));
    EXPECT_EQ(QFileInfo(publishPort(device(QStringLiteral("pts3")))).fileName(),
              QStringLiteral("omvi-sim"));
}

TEST_F(PublishedPortsTest, OnlyLinksAreListed) {
    QDir().mkpath(publishedPortsDir());
    QFile stray(publishedPortsDir() + QStringLiteral("/omvi-sim"));
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.close();
    const QString link = publishPort(device(QStringLiteral("pts1")));
    EXPECT_EQ(QFileInfo(link).fileName(), QStringLiteral("omvi-sim-2"));
    EXPECT_EQ(names(publishedPorts()), QStringList{QStringLiteral("omvi-sim-2")});
    EXPECT_TRUE(QFileInfo::exists(stray.fileName()));
}

TEST_F(PublishedPortsTest, UnpublishRemovesOnlyItsOwnLink) {
    const QString mine = device(QStringLiteral("pts1"));
    const QString link = publishPort(mine);
    EXPECT_FALSE(unpublishPort(link, device(QStringLiteral("pts2"))));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(unpublishPort(link, mine));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_FALSE(unpublishPort(link, mine));
}

#pragma once

#include "lib/platform.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace tes::test {

// A platform that records what the program asked of it: the messages shown, the dialogs opened,
// the wait pointer, the documents opened or viewed. Dialogs answer from a queue (the empty text, a
// cancel, when it is empty); settings live in a map.
class FakePlatform : public Platform {
public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void showMessageOfKind(const Message& message) override {
        showMessage(message.text);
        messageKinds.push_back(message.kind);
    }
    bool askYesNo(const std::string& text) override {
        questions.push_back(text);
        return answerYes;
    }
    std::string showFileDialog(const FileDialogRequest& request) override;
    // Answers from the same queue as the file dialogs.
    std::string showFolderDialog(const std::string& title, const std::string& folder) override {
        return showFileDialog({title, folder, {}, 1, false, {}});
    }
    void setWaitCursor(bool wait) override {
        waitCursor = wait;
        waitCursorHistory.push_back(wait);
    }
    bool openDocument(const std::string& path) override {
        openedDocuments.push_back(path);
        return openDocumentSucceeds;
    }
    bool showHelpViewer(const std::string& path) override {
        viewedDocuments.push_back(path);
        return helpViewerSucceeds;
    }
    std::string readSetting(const std::string& keyPath, const std::string& name) override;
    void writeSetting(const std::string& keyPath, const std::string& name, const std::string& value) override;
    std::string programFolder() override { return programFolderPath; }
    std::string documentsFolder() override { return documentsFolderPath; }

    std::vector<std::string> messages;
    std::vector<MessageKind> messageKinds; // of the messages shown with their kind
    std::vector<std::string> questions;    // asked with Yes and No
    bool answerYes = false;
    std::deque<std::string> dialogAnswers;
    std::vector<FileDialogRequest> dialogRequests;
    bool waitCursor = false;
    std::vector<bool> waitCursorHistory;
    std::vector<std::string> openedDocuments;
    bool openDocumentSucceeds = true;
    std::vector<std::string> viewedDocuments; // shown in the program's own help viewer
    bool helpViewerSucceeds = true;
    std::map<std::string, std::string> settings; // keyPath + "|" + name -> value
    std::vector<std::string> settingWrites;      // name=value, in order
    std::string programFolderPath = "/opt/tes";
    std::string documentsFolderPath = "/home/user/Documents";
};

// A fake platform that also records the progress display and whose Cancel is pressed at the n-th
// report (counted from 1; 0 never cancels).
class ProgressPlatform : public FakePlatform {
public:
    void beginProgress(const std::string& label) override {
        ++begun;
        labels.push_back(label);
    }
    bool reportProgress(unsigned long long, unsigned long long) override {
        ++reports;
        return cancelAtReport == 0 || reports < cancelAtReport;
    }
    void endProgress() override { ++ended; }

    int cancelAtReport = 0;
    std::vector<std::string> labels;
    int reports = 0;
    int begun = 0;
    int ended = 0;
};

} // namespace tes::test

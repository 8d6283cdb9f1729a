// Starts `scenario-tool lsp` for the line and train description texts and
// restarts it when its path setting changes. Every check is the tool's own:
// the extension only brings the texts to it and its findings back.
'use strict';

const vscode = require('vscode');
const {LanguageClient, TransportKind} = require('vscode-languageclient/node');

const kLanguages = ['lorvenna-line', 'lorvenna-train'];
const kPathSetting = 'lorvenna.scenarioToolPath';

let client = null;

function toolPath() {
  return vscode.workspace.getConfiguration().get(kPathSetting) || 'scenario-tool';
}

async function start() {
  const command = toolPath();
  const serverOptions = {command, args: ['lsp'], transport: TransportKind.stdio};
  const clientOptions = {
    // A text is checked with the other text of its scenario, found beside
    // it in its folder, so only texts that are files go to the tool.
    documentSelector: kLanguages.map((language) => ({scheme: 'file', language})),
  };
  client = new LanguageClient('lorvenna', 'Lorvenna scenario-tool', serverOptions, clientOptions);
  try {
    await client.start();
  } catch (e) {
    client = null;
    const choice = await vscode.window.showErrorMessage(
        `Could not start "${command} lsp": ${e.message}. Set ${
            kPathSetting} to the scenario-tool executable.`,
        'Open Settings',
    );
    if (choice) vscode.commands.executeCommand('workbench.action.openSettings', kPathSetting);
  }
}

async function stop() {
  if (!client) return;
  const running = client;
  client = null;
  await running.stop();
}

async function activate(context) {
  context.subscriptions.push(
      vscode.workspace.onDidChangeConfiguration(async (event) => {
        if (!event.affectsConfiguration(kPathSetting)) return;
        await stop();
        await start();
      }),
  );
  await start();
}

function deactivate() {
  return stop();
}

module.exports = {
  activate,
  deactivate
};

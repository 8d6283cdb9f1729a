-- Drives scenario-tool's language server from Neovim's own client, as an
-- author's editor would: run headless by lsp_test.sh with the tool's path
-- and a folder holding the embedded scenario's texts. Prints what failed and
-- leaves with status 1, or leaves with 0.
local tool, folder = _G.scenario_tool, _G.scenario_folder

local function fail(what)
  io.stdout:write('FAIL: ' .. what .. '\n')
  vim.cmd('cquit 1')
end

local published = 0
vim.lsp.handlers['textDocument/publishDiagnostics'] = function(err, result, ctx, config)
  vim.lsp.diagnostic.on_publish_diagnostics(err, result, ctx, config)
  published = published + 1
end

-- The setup the README gives authors, as they would use it.
vim.g.scenario_tool = tool
vim.cmd('luafile ' .. vim.fn.fnameescape(_G.scenario_setup))
vim.cmd('edit ' .. vim.fn.fnameescape(folder .. '/Prova_1-.txt'))
local buf = vim.api.nvim_get_current_buf()
if vim.bo[buf].fileencoding ~= 'cp1252' then fail('read as ' .. vim.bo[buf].fileencoding) end

local function wait_for(what, condition)
  if not vim.wait(10000, condition, 20) then fail('no ' .. what .. ' within 10 s') end
end

wait_for('client attached by the setup', function() return next(vim.lsp.buf_get_clients(buf)) end)
local client = next(vim.lsp.buf_get_clients(buf))

wait_for('first check', function() return published >= 1 end)
if #vim.diagnostic.get(buf) ~= 0 then fail('the embedded train text has findings') end

-- Break the first signal's position: "segnale,    7100," becomes "x7100".
local line
for i, text in ipairs(vim.api.nvim_buf_get_lines(buf, 0, -1, false)) do
  if text:match('^segnale,') then line = i - 1; break end
end
if not line then fail('no signal in the train text') end
local column = vim.api.nvim_buf_get_lines(buf, line, line + 1, false)[1]:find('7100') - 1
vim.api.nvim_buf_set_text(buf, line, column, line, column, { 'x' })
wait_for('diagnostic of the broken record', function() return #vim.diagnostic.get(buf) == 1 end)
local d = vim.diagnostic.get(buf)[1]
if d.lnum ~= line or d.col ~= column then
  fail(string.format('the diagnostic is at %d:%d, not %d:%d', d.lnum, d.col, line, column))
end
if not d.message:find('"x7100" is not a number', 1, true) then fail('message: ' .. d.message) end
if d.severity ~= vim.diagnostic.severity.ERROR then fail('not an error') end
io.stdout:write(string.format('diagnostic at %d:%d: %s\n', d.lnum + 1, d.col + 1, d.message:match('[^\n]*')))

-- Mend it: the diagnostic goes.
vim.api.nvim_buf_set_text(buf, line, column, line, column + 1, { '' })
wait_for('clean check after the mend', function() return #vim.diagnostic.get(buf) == 0 end)

local function ask(method, params)
  local answers = vim.lsp.buf_request_sync(buf, method, params, 10000)
  local answer = answers and answers[client]
  if not answer or answer.err or not answer.result then fail('no answer to ' .. method) end
  return answer.result
end
local document = { uri = vim.uri_from_bufnr(buf) }

local hover = ask('textDocument/hover', { textDocument = document, position = { line = line, character = column + 1 } })
if not hover.contents.value:find('50 m cell 143', 1, true) then fail('hover: ' .. hover.contents.value) end
if not hover.contents.value:find('type: signal', 1, true) then fail('hover: ' .. hover.contents.value) end

local symbols = ask('textDocument/documentSymbol', { textDocument = document })
local names = {}
for _, s in ipairs(symbols) do names[s.name] = true end
if not names['stazione GALLARATE'] or not names['segnale'] then fail('symbols lack a station or signal') end
io.stdout:write(string.format('hover and %d symbols\n', #symbols))

vim.lsp.stop_client(client)
vim.cmd('qall!')

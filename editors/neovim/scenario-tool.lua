-- Scenario texts in Neovim (0.7 or later): read and written as Windows-1252
-- with CR LF, and checked by scenario-tool's language server as you type.
-- Put this in your init.lua, or `:luafile` it; the server is
-- `vim.g.scenario_tool`, or else `scenario-tool` on your PATH.
local texts = { '*_linea.txt', '*-.txt' }
local encodings, client_id
vim.api.nvim_create_autocmd('BufReadPre', {
  pattern = texts,
  callback = function()
    encodings = vim.o.fileencodings
    vim.o.fileencodings = 'ucs-bom,cp1252'
  end,
})
vim.api.nvim_create_autocmd({ 'BufReadPost', 'BufNewFile' }, {
  pattern = texts,
  callback = function(args)
    if encodings then vim.o.fileencodings, encodings = encodings, nil end
    vim.bo[args.buf].fileencoding = 'cp1252'
    vim.bo[args.buf].fileformat = 'dos'
    if not client_id or vim.lsp.client_is_stopped(client_id) then
      client_id = vim.lsp.start_client({
        name = 'scenario-tool',
        cmd = { vim.g.scenario_tool or 'scenario-tool', 'lsp' },
      })
    end
    vim.lsp.buf_attach_client(args.buf, client_id)
  end,
})

;;; scenario-tool.el --- scenario texts, checked as you type -*- lexical-binding: t -*-
;; Emacs 29, or 28 with the eglot package: the texts read and written as
;; Windows-1252 with CR LF, and scenario-tool's language server started by
;; eglot. Load it from your init file.
(defconst scenario-tool-texts "\\(_linea\\|-\\)\\.txt\\'")
(define-derived-mode scenario-text-mode text-mode "Scenario"
  "A scenario's line or train description text.")
(add-to-list 'auto-mode-alist (cons scenario-tool-texts #'scenario-text-mode))
(add-to-list 'auto-coding-alist (cons scenario-tool-texts 'windows-1252-dos))
(with-eval-after-load 'eglot
  (add-to-list 'eglot-server-programs '(scenario-text-mode "scenario-tool" "lsp")))
(add-hook 'scenario-text-mode-hook #'eglot-ensure)

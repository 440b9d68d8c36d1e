// SPDX-License-Identifier: MIT
// The house rules of the page's JavaScript, beside .prettierrc for its layout; scripts/format-check
// runs both. The page's modules run in the browser; the tests, tools and benchmarks are Node
// scripts, and the two that drive Chromium also hand it functions that run in the page.
'use strict';
const js = require('@eslint/js');
const globals = require('globals');

module.exports = [
  {ignores: ['build*/', 'node_modules/']},
  js.configs.recommended,
  {
    files: ['web/**/*.js'],
    languageOptions: {sourceType: 'module', globals: globals.browser}
  },
  {
    files: ['tests/web/**/*.js', 'tools/**/*.js', 'bench/**/*.js', 'eslint.config.js'],
    languageOptions: {sourceType: 'commonjs', globals: globals.node}
  },
  {
    // Checked with a string in place of the list of files the page's build writes into it.
    files: ['web/serviceworker.js.in'],
    languageOptions: {sourceType: 'script', globals: globals.serviceworker}
  },
  {
    files: ['tests/web/page_test.js', 'bench/page_bench.js'],
    languageOptions: {globals: globals.browser}
  }
];

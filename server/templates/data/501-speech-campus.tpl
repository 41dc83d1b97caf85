# Pennova writing template (our own text)
id: 501
kind: high
category: 演讲稿|Speeches
name: 主题演讲稿|Speech on a topic
description: 适用于英语演讲比赛、班会或校园活动中的主题演讲。开头问候并引出话题，中间用例子展开两三个要点，结尾号召听众行动。
title: [标题中的演讲题目，如 Small Steps to a Greener Campus] || [标题中的演讲题目，如 Small Steps to a Greener Campus]

[block]
Good morning, everyone. || 大家早上好。
It is a great honour for me to stand here and talk about [话题，如 how we can make our campus greener]. || 我很荣幸站在这里谈谈[话题，如 how we can make our campus greener]。
[alternative]
Hello, everyone. || 大家好。
Let me begin with a simple question. || 让我从一个简单的问题开始。
Have you ever thought about [问题，如 how much paper we throw away every day]? || 你是否想过[问题，如 how much paper we throw away every day]？

[block]
First of all, [要点一，如 we can save energy in our daily life]. || 首先，[要点一，如 we can save energy in our daily life]。
For example, [例子，如 we can turn off the lights when we leave the classroom]. || 例如，[例子，如 we can turn off the lights when we leave the classroom]。
[alternative]
Let me share a story with you. || 让我和大家分享一个故事。
Last year, [故事，如 our class collected old books and gave them to a village school]. || 去年，[故事，如 our class collected old books and gave them to a village school]。
This small act made a big difference. || 这个小小的举动带来了很大的改变。

[block]
Second, [要点二，如 we can reduce waste]. || 其次，[要点二，如 we can reduce waste]。
[做法，如 Bringing our own cups and bags] is an easy place to start. || [做法，如 Bringing our own cups and bags]就是一个简单的开始。

[block]
Friends, change does not have to be big. || 朋友们，改变不一定要很大。
If each of us takes a small step today, [愿景，如 our campus will be a better place tomorrow]. || 如果我们每个人今天迈出一小步，[愿景，如 our campus will be a better place tomorrow]。
Thank you! || 谢谢大家！
[alternative]
So, let us act together, starting from today. || 所以，让我们从今天开始一起行动吧。
Thank you for listening. || 谢谢大家的聆听。

[common]
I am very glad to have this chance to speak to you. || 我很高兴有这个机会和大家讲话。
As we all know, time waits for no one. || 众所周知，时间不等人。
Let me give you an example. || 让我给大家举个例子。
Imagine what our world would be like without clean water. || 想象一下没有干净的水我们的世界会是什么样子。
This is something that affects all of us. || 这是影响我们所有人的事情。
Each of us has a part to play. || 我们每个人都可以发挥作用。
The future is in our hands. || 未来掌握在我们手中。
Thank you for your attention. || 谢谢大家的关注。
